#pragma once
// The answer to the device-information read (code 0x16), kept whole so the offsets are reply
// offsets. Both families share its first 76 bytes; the Art-Net family adds 4 unused ones.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "transport/ByteBlock.h"

namespace varlo {

template <std::size_t N>
class DeviceInfoReply : public ByteBlock<N> {
public:
    static constexpr std::size_t kSerialNumber = 8;  // u32
    static constexpr std::size_t kFirmwareVersion = 12;
    static constexpr std::size_t kFirmwareVersionWidth = 16;
    static constexpr std::size_t kHardwareVersion = 28;
    static constexpr std::size_t kHardwareVersionWidth = 16;
    // The module name may use all 18 bytes (44 to 61) with no terminator.
    static constexpr std::size_t kModuleName = 44;
    static constexpr std::size_t kModuleNameWidth = 18;
    static constexpr std::size_t kFirstMac = 62;
    static constexpr std::size_t kReserved68 = 68;  // 2 bytes, not examined
    static constexpr std::size_t kSecondMac = 70;

    uint32_t SerialNumber() const { return this->GetU32BE(kSerialNumber); }
    std::string FirmwareVersion() const {
        return this->GetText(kFirmwareVersion, kFirmwareVersionWidth);
    }
    std::string HardwareVersion() const {
        return this->GetText(kHardwareVersion, kHardwareVersionWidth);
    }
    std::string ModuleName() const { return this->GetText(kModuleName, kModuleNameWidth); }
    MacBytes FirstMac() const { return this->GetMac(kFirstMac); }
    MacBytes SecondMac() const { return this->GetMac(kSecondMac); }

    // The simulator builds replies with these.
    void SetSerialNumber(uint32_t v) { this->SetU32BE(kSerialNumber, v); }
    void SetFirmwareVersion(std::string_view t) {
        this->SetTextPadded(kFirmwareVersion, kFirmwareVersionWidth, t);
    }
    void SetHardwareVersion(std::string_view t) {
        this->SetTextPadded(kHardwareVersion, kHardwareVersionWidth, t);
    }
    // Unlike the parameter blocks' texts, a device may fill this field to its last byte.
    void SetModuleName(std::string_view t) {
        uint8_t* p = this->At(kModuleName, kModuleNameWidth);
        std::fill_n(p, kModuleNameWidth, uint8_t{0});
        std::copy_n(t.data(), std::min(t.size(), kModuleNameWidth), p);
    }
    void SetFirstMac(const MacBytes& mac) { this->Set(kFirstMac, mac); }
    void SetSecondMac(const MacBytes& mac) { this->Set(kSecondMac, mac); }
};

}  // namespace varlo
