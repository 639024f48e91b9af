#pragma once
// _BASICPARAM, a serial server's network block: 56 bytes, read with 0x03 from reply byte 8 and
// written with 0x07 from request byte 20.
#include <string>
#include <string_view>

#include "transport/ByteBlock.h"

namespace varlo {

class _BASICPARAM : public ByteBlock<56> {
public:
    static constexpr std::size_t kDeviceName = 0;
    static constexpr std::size_t kDeviceNameWidth = 32;  // at most 31 characters
    static constexpr std::size_t kIpType = 32;           // u32: 0 static, 1 DHCP
    static constexpr std::size_t kLocalIp = 36;
    static constexpr std::size_t kSubnetMask = 40;
    static constexpr std::size_t kGateway = 44;
    static constexpr std::size_t kPreferredDns = 48;
    static constexpr std::size_t kAlternateDns = 52;

    std::string DeviceName() const { return GetText(kDeviceName, kDeviceNameWidth); }
    void SetDeviceName(std::string_view t) { SetTextTerminated(kDeviceName, kDeviceNameWidth, t); }
    uint32_t IpType() const { return GetU32BE(kIpType); }
    void SetIpType(uint32_t v) { SetU32BE(kIpType, v); }
    Ipv4Bytes LocalIp() const { return GetIp(kLocalIp); }
    void SetLocalIp(const Ipv4Bytes& ip) { SetIp(kLocalIp, ip); }
    Ipv4Bytes SubnetMask() const { return GetIp(kSubnetMask); }
    void SetSubnetMask(const Ipv4Bytes& ip) { SetIp(kSubnetMask, ip); }
    Ipv4Bytes Gateway() const { return GetIp(kGateway); }
    void SetGateway(const Ipv4Bytes& ip) { SetIp(kGateway, ip); }
    Ipv4Bytes PreferredDns() const { return GetIp(kPreferredDns); }
    void SetPreferredDns(const Ipv4Bytes& ip) { SetIp(kPreferredDns, ip); }
    Ipv4Bytes AlternateDns() const { return GetIp(kAlternateDns); }
    void SetAlternateDns(const Ipv4Bytes& ip) { SetIp(kAlternateDns, ip); }
};
static_assert(sizeof(_BASICPARAM) == 56);

}  // namespace varlo
