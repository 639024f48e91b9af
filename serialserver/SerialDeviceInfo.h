#pragma once
// A serial server's answer to the device-information read (code 0x16), kept whole: 76 bytes, so
// the offsets below are reply offsets. There is no write for it.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "transport/ByteBlock.h"

namespace varlo {

class SerialDeviceInfo : public ByteBlock<76> {
public:
    static constexpr std::size_t kSerialNumber = 8;  // u32
    static constexpr std::size_t kFirmwareVersion = 12;
    static constexpr std::size_t kFirmwareVersionWidth = 16;
    static constexpr std::size_t kHardwareVersion = 28;
    static constexpr std::size_t kHardwareVersionWidth = 16;
    // The module name may use all 18 bytes (44 to 61) with no terminator.
    static constexpr std::size_t kModuleName = 44;
    static constexpr std::size_t kModuleNameWidth = 18;
    static constexpr std::size_t kLanMac = 62;
    static constexpr std::size_t kReserved68 = 68;  // 2 bytes, not examined
    static constexpr std::size_t kWlanMac = 70;

    uint32_t SerialNumber() const { return GetU32BE(kSerialNumber); }
    std::string FirmwareVersion() const { return GetText(kFirmwareVersion, kFirmwareVersionWidth); }
    std::string HardwareVersion() const { return GetText(kHardwareVersion, kHardwareVersionWidth); }
    std::string ModuleName() const { return GetText(kModuleName, kModuleNameWidth); }
    MacBytes LanMac() const { return GetMac(kLanMac); }
    MacBytes WlanMac() const { return GetMac(kWlanMac); }

    // The simulator builds replies with these.
    void SetSerialNumber(uint32_t v) { SetU32BE(kSerialNumber, v); }
    void SetFirmwareVersion(std::string_view t) {
        SetTextTerminated(kFirmwareVersion, kFirmwareVersionWidth, t);
    }
    void SetHardwareVersion(std::string_view t) {
        SetTextTerminated(kHardwareVersion, kHardwareVersionWidth, t);
    }
    // Unlike the parameter blocks' texts, a device may fill this field to its last byte.
    void SetModuleName(std::string_view t) {
        uint8_t* p = At(kModuleName, kModuleNameWidth);
        std::fill_n(p, kModuleNameWidth, uint8_t{0});
        std::copy_n(t.data(), std::min(t.size(), kModuleNameWidth), p);
    }
    void SetLanMac(const MacBytes& mac) { Set(kLanMac, mac); }
    void SetWlanMac(const MacBytes& mac) { Set(kWlanMac, mac); }
};
static_assert(sizeof(SerialDeviceInfo) == 76);

}  // namespace varlo
