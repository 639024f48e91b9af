#include "artnet/ModuleBasicPage.h"

namespace varlo::artnet {

namespace {
using R = _RT5350BASICPARAM;
}

void ModuleBasicPage::Fill(const _RT5350BASICPARAM& block) {
    m_filled = true;
    m_name = block.DeviceName();
    m_ip = block.IpAddress();
    m_mask = block.SubnetMask();
}

_RT5350BASICPARAM ModuleBasicPage::Build(const _RT5350BASICPARAM& saved) const {
    _RT5350BASICPARAM b;  // zero bytes, the trailer after the checksum included
    b.SetDeviceName(m_name);
    for (std::size_t i = 0; i < 4; ++i) {
        b.SetU8(R::kReserved32 + i, saved.GetU8(R::kReserved32 + i));
    }
    for (std::size_t i = 0; i < R::kReserved44Width; ++i) {
        b.SetU8(R::kReserved44 + i, saved.GetU8(R::kReserved44 + i));
    }
    b.SetIpAddress(m_ip);
    b.SetSubnetMask(m_mask);
    b.StampChecksum();
    return b;
}

}  // namespace varlo::artnet
