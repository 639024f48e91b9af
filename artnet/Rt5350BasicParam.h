#pragma once
// _RT5350BASICPARAM, the network block of the WiFi module LUMA-AIR-MODULE: 60 bytes, read with
// 0x03 (68-byte reply) and written with 0x07 (80-byte request).
#include <string>
#include <string_view>

#include "artnet/ChecksummedBlock.h"

namespace varlo {

class _RT5350BASICPARAM : public ChecksummedBlock<60, 56> {
public:
    static constexpr std::size_t kDeviceName = 0;
    static constexpr std::size_t kDeviceNameWidth = 32;  // at most 31 characters
    static constexpr std::size_t kReserved32 = 32;       // 4 bytes, kept
    static constexpr std::size_t kIpAddress = 36;
    static constexpr std::size_t kSubnetMask = 40;
    static constexpr std::size_t kReserved44 = 44;  // 12 bytes, kept
    static constexpr std::size_t kReserved44Width = 12;
    static constexpr std::size_t kTrailer = 58;  // 2 bytes after the checksum, written as zero

    std::string DeviceName() const { return GetText(kDeviceName, kDeviceNameWidth); }
    void SetDeviceName(std::string_view t) { SetTextPadded(kDeviceName, kDeviceNameWidth, t); }
    Ipv4Bytes IpAddress() const { return GetIp(kIpAddress); }
    void SetIpAddress(const Ipv4Bytes& ip) { SetIp(kIpAddress, ip); }
    Ipv4Bytes SubnetMask() const { return GetIp(kSubnetMask); }
    void SetSubnetMask(const Ipv4Bytes& ip) { SetIp(kSubnetMask, ip); }
};
static_assert(sizeof(_RT5350BASICPARAM) == 60);

}  // namespace varlo
