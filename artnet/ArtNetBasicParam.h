#pragma once
// _ARTNETBASICPARAM, the network block of the five node models: 88 bytes, read with 0x03 from
// reply byte 8 and written with 0x07 from request byte 20. It holds the IP settings of NodeA and
// NodeB, each as a current set (what the device uses now) and a static set (used with the
// "Custom IP" address type).
#include <string>
#include <string_view>

#include "artnet/ChecksummedBlock.h"

namespace varlo {

class _ARTNETBASICPARAM : public ChecksummedBlock<88, 84> {
public:
    static constexpr std::size_t kDeviceName = 0;
    static constexpr std::size_t kDeviceNameWidth = 32;  // at most 31 characters
    static constexpr std::size_t kDmxHoldTime = 32;      // selector
    static constexpr std::size_t kDisplayHoldTime = 33;  // selector
    static constexpr std::size_t kReserved34 = 34;       // kept
    static constexpr std::size_t kIpType = 35;           // selector
    // Address sets: IP address, subnet mask, gateway, four bytes each.
    static constexpr std::size_t kNodeACurrent = 36;  // kept
    static constexpr std::size_t kNodeAStatic = 48;
    static constexpr std::size_t kNodeBCurrent = 60;  // kept
    static constexpr std::size_t kNodeBStatic = 72;
    static constexpr std::size_t kTrailer = 86;  // 2 bytes after the checksum, written as zero

    struct AddressSet {
        Ipv4Bytes ip{};
        Ipv4Bytes mask{};
        Ipv4Bytes gateway{};
        bool operator==(const AddressSet&) const = default;
    };

    std::string DeviceName() const { return GetText(kDeviceName, kDeviceNameWidth); }
    void SetDeviceName(std::string_view t) { SetTextPadded(kDeviceName, kDeviceNameWidth, t); }
    uint8_t DmxHoldTime() const { return GetU8(kDmxHoldTime); }
    void SetDmxHoldTime(uint8_t v) { SetU8(kDmxHoldTime, v); }
    uint8_t DisplayHoldTime() const { return GetU8(kDisplayHoldTime); }
    void SetDisplayHoldTime(uint8_t v) { SetU8(kDisplayHoldTime, v); }
    uint8_t IpType() const { return GetU8(kIpType); }
    void SetIpType(uint8_t v) { SetU8(kIpType, v); }

    // `set` is one of kNodeACurrent, kNodeAStatic, kNodeBCurrent, kNodeBStatic.
    AddressSet Addresses(std::size_t set) const {
        return {GetIp(set), GetIp(set + 4), GetIp(set + 8)};
    }
    void SetAddresses(std::size_t set, const AddressSet& a) {
        SetIp(set, a.ip);
        SetIp(set + 4, a.mask);
        SetIp(set + 8, a.gateway);
    }
};
static_assert(sizeof(_ARTNETBASICPARAM) == 88);
static_assert(_ARTNETBASICPARAM::kNodeBStatic + 12 == _ARTNETBASICPARAM::kChecksum);

}  // namespace varlo
