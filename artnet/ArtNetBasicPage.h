#pragma once
// What the "Basic Settings" page of a node dialog shows and edits, without the window: the
// device name, the two hold-time lists, "IP Type:" and the six address fields of NodeA and NodeB.
// The Qt page binds its widgets to this state; varlo-cli edits it directly.
//
// The address fields show either a node's current set (read-only, with an automatic address
// type) or its static set (editable, "Custom IP"), taken from the page's own copy of the block
// as last read. Whatever they show is what the builder writes into the static sets.
#include <array>
#include <cstddef>
#include <string>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetModels.h"

namespace varlo::artnet {

class ArtNetBasicPage {
public:
    enum AddressField {
        kNodeAIp,
        kNodeAMask,
        kNodeAGateway,
        kNodeBIp,
        kNodeBMask,
        kNodeBGateway,
        kAddressFieldCount
    };
    static constexpr int kNoSelection = -1;

    // The page as it opens: "IP Type:" at "2.x.x.x(Auto)", both hold-time lists without a
    // selection, an empty name, and the address rule run over a copy that holds no device data.
    explicit ArtNetBasicPage(const BasicPageModel& model);

    const BasicPageModel& Model() const { return m_model; }
    bool ShowsNodeB() const { return m_model.showNodeB; }
    bool ShowsDisplayHold() const { return m_model.showDisplayHold; }
    // Whether a read has filled the page (until then its address fields show blank).
    bool Filled() const { return m_filled; }

    // After a successful read: the page's copy, the fields, then the address rule.
    void Fill(const _ARTNETBASICPARAM& block);

    // The name as 8-bit bytes. Unedited, it is exactly the bytes the read filled it with.
    const std::string& DeviceName() const { return m_name; }
    bool DeviceNameEdited() const { return m_nameEdited; }
    void SetDeviceName(std::string bytes);

    // List positions; kNoSelection (-1) is a state of its own and is written as 0xFF.
    int DmxHoldTime() const { return m_dmxHold; }
    int DisplayHoldTime() const { return m_displayHold; }
    int IpType() const { return m_ipType; }
    void SelectDmxHoldTime(int index) { m_dmxHold = index; }
    void SelectDisplayHoldTime(int index) { m_displayHold = index; }
    // The operator's choice in "IP Type:": runs the address rule.
    void SelectIpType(int index);

    const Ipv4Bytes& Address(AddressField f) const { return m_addresses[f]; }
    bool AddressEnabled(AddressField f) const { return m_enabled[f]; }
    void SetAddress(AddressField f, const Ipv4Bytes& ip) { m_addresses[f] = ip; }

    // The address rule of the page's model, by the current "IP Type:" selection.
    void OnIpTypeChange();

    // GetBasicParam: the block to write, starting from zero bytes; the bytes the page does not
    // own come from `saved`, the block as last read or written.
    _ARTNETBASICPARAM Build(const _ARTNETBASICPARAM& saved) const;

private:
    void ShowSet(AddressField first, std::size_t set);
    void EnableNode(AddressField first, bool enabled);

    BasicPageModel m_model;
    _ARTNETBASICPARAM m_copy;  // as last read; writes do not replace it
    bool m_filled = false;
    std::string m_name;
    bool m_nameEdited = false;
    int m_dmxHold = kNoSelection;
    int m_displayHold = kNoSelection;
    int m_ipType = 0;
    std::array<Ipv4Bytes, kAddressFieldCount> m_addresses{};
    std::array<bool, kAddressFieldCount> m_enabled{};
};

}  // namespace varlo::artnet
