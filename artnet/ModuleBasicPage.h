#pragma once
// What the WiFi module's "Basic Settings" page shows and edits, without the window: the name
// (read-only), and the IP address and subnet mask the module uses until it is switched off.
#include <string>

#include "artnet/Rt5350BasicParam.h"

namespace varlo::artnet {

class ModuleBasicPage {
public:
    // Whether a read has filled the page (until then its fields are empty).
    bool Filled() const { return m_filled; }
    void Fill(const _RT5350BASICPARAM& block);

    // The name as 8-bit bytes, exactly as read; the operator cannot edit it.
    const std::string& DeviceName() const { return m_name; }
    const Ipv4Bytes& IpAddress() const { return m_ip; }
    const Ipv4Bytes& SubnetMask() const { return m_mask; }
    void SetIpAddress(const Ipv4Bytes& ip) { m_ip = ip; }
    void SetSubnetMask(const Ipv4Bytes& mask) { m_mask = mask; }

    // GetBasicParam: the block to write, starting from zero bytes; the kept bytes come from
    // `saved`, the block as last read or written.
    _RT5350BASICPARAM Build(const _RT5350BASICPARAM& saved) const;

private:
    bool m_filled = false;
    std::string m_name;
    Ipv4Bytes m_ip{};
    Ipv4Bytes m_mask{};
};

}  // namespace varlo::artnet
