#include "artnet/ArtNetBasicPage.h"

#include "artnet/ArtNetItems.h"

namespace varlo::artnet {

namespace {
using B = _ARTNETBASICPARAM;
}

ArtNetBasicPage::ArtNetBasicPage(const BasicPageModel& model) : m_model(model) {
    OnIpTypeChange();
}

void ArtNetBasicPage::Fill(const _ARTNETBASICPARAM& block) {
    m_copy = block;
    m_filled = true;
    m_name = block.DeviceName();
    m_nameEdited = false;
    m_dmxHold = kDmxHoldTimeItems.IndexOf(block.DmxHoldTime());
    m_displayHold = kDisplayHoldTimeItems.IndexOf(block.DisplayHoldTime());
    m_ipType = kIpTypeItems.IndexOf(block.IpType());
    // Every page class starts from the current sets; the rule then picks what each type shows.
    ShowSet(kNodeAIp, B::kNodeACurrent);
    ShowSet(kNodeBIp, B::kNodeBCurrent);
    OnIpTypeChange();
}

void ArtNetBasicPage::SetDeviceName(std::string bytes) {
    m_name = std::move(bytes);
    m_nameEdited = true;
}

void ArtNetBasicPage::SelectIpType(int index) {
    m_ipType = index;
    OnIpTypeChange();
}

void ArtNetBasicPage::OnIpTypeChange() {
    if (m_ipType < 0) {
        return;
    }
    const bool custom = m_ipType == kIpTypeCustom;
    ShowSet(kNodeAIp, custom ? B::kNodeAStatic : B::kNodeACurrent);
    EnableNode(kNodeAIp, custom);
    if (m_model.rule == AddressRule::TwoNodes) {
        ShowSet(kNodeBIp, custom ? B::kNodeBStatic : B::kNodeBCurrent);
        EnableNode(kNodeBIp, custom);
    } else {
        // The hidden NodeB fields keep what they show and stay disabled.
        EnableNode(kNodeBIp, false);
    }
}

_ARTNETBASICPARAM ArtNetBasicPage::Build(const _ARTNETBASICPARAM& saved) const {
    _ARTNETBASICPARAM b;  // zero bytes, the trailer after the checksum included
    b.SetDeviceName(m_name);
    b.SetDmxHoldTime(SelectorList::WireOf(m_dmxHold));
    b.SetDisplayHoldTime(SelectorList::WireOf(m_displayHold));
    b.SetU8(B::kReserved34, saved.GetU8(B::kReserved34));
    b.SetIpType(SelectorList::WireOf(m_ipType));
    b.SetAddresses(B::kNodeACurrent, saved.Addresses(B::kNodeACurrent));
    b.SetAddresses(B::kNodeBCurrent, saved.Addresses(B::kNodeBCurrent));
    // Hidden or disabled, the fields are written as they stand: with an automatic type the
    // current sets they show become the static sets.
    b.SetAddresses(B::kNodeAStatic,
                   {m_addresses[kNodeAIp], m_addresses[kNodeAMask], m_addresses[kNodeAGateway]});
    b.SetAddresses(B::kNodeBStatic,
                   {m_addresses[kNodeBIp], m_addresses[kNodeBMask], m_addresses[kNodeBGateway]});
    b.StampChecksum();
    return b;
}

void ArtNetBasicPage::ShowSet(AddressField first, std::size_t set) {
    const B::AddressSet a = m_copy.Addresses(set);
    m_addresses[first] = a.ip;
    m_addresses[first + 1] = a.mask;
    m_addresses[first + 2] = a.gateway;
}

void ArtNetBasicPage::EnableNode(AddressField first, bool enabled) {
    for (int f = first; f < first + 3; ++f) {
        m_enabled[f] = enabled;
    }
}

}  // namespace varlo::artnet
