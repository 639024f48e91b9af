#pragma once
// The device-information reply (code 0x16) of the Art-Net nodes and the WiFi module, kept whole:
// 80 bytes, the same for all six models, so the offsets below are reply offsets.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "transport/ByteBlock.h"

namespace varlo {

class ArtNetDeviceInfo : public ByteBlock<80> {
public:
    static constexpr std::size_t kSerialNumber = 8;  // u32
    static constexpr std::size_t kFirmwareVersion = 12;
    static constexpr std::size_t kFirmwareVersionWidth = 16;
    static constexpr std::size_t kHardwareVersion = 28;
    static constexpr std::size_t kHardwareVersionWidth = 16;
    // The module name may use all 18 bytes (44 to 61) with no terminator.
    static constexpr std::size_t kModuleName = 44;
    static constexpr std::size_t kModuleNameWidth = 18;
    static constexpr std::size_t kFirstMac = 62;    // NodeA MAC; the module's LAN MAC
    static constexpr std::size_t kReserved68 = 68;  // 2 bytes, not examined
    static constexpr std::size_t kSecondMac = 70;   // NodeB MAC; the module's WLAN MAC
    static constexpr std::size_t kReserved76 = 76;  // 4 bytes, not examined

    uint32_t SerialNumber() const { return GetU32BE(kSerialNumber); }
    std::string FirmwareVersion() const { return GetText(kFirmwareVersion, kFirmwareVersionWidth); }
    std::string HardwareVersion() const { return GetText(kHardwareVersion, kHardwareVersionWidth); }
    std::string ModuleName() const { return GetText(kModuleName, kModuleNameWidth); }
    MacBytes FirstMac() const { return GetMac(kFirstMac); }
    MacBytes SecondMac() const { return GetMac(kSecondMac); }

    // The simulator builds replies with these.
    void SetSerialNumber(uint32_t v) { SetU32BE(kSerialNumber, v); }
    void SetFirmwareVersion(std::string_view t) {
        SetTextPadded(kFirmwareVersion, kFirmwareVersionWidth, t);
    }
    void SetHardwareVersion(std::string_view t) {
        SetTextPadded(kHardwareVersion, kHardwareVersionWidth, t);
    }
    // Unlike the parameter blocks' texts, a device may fill this field to its last byte.
    void SetModuleName(std::string_view t) {
        uint8_t* p = At(kModuleName, kModuleNameWidth);
        std::fill_n(p, kModuleNameWidth, uint8_t{0});
        std::copy_n(t.data(), std::min(t.size(), kModuleNameWidth), p);
    }
    void SetFirstMac(const MacBytes& mac) { Set(kFirstMac, mac); }
    void SetSecondMac(const MacBytes& mac) { Set(kSecondMac, mac); }
};
static_assert(sizeof(ArtNetDeviceInfo) == 80);

}  // namespace varlo
