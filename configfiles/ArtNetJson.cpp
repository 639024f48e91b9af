// Decoded fields of the Art-Net blocks, with the item texts of the node and module pages.
#include <cstdio>

#include "artnet/ArtNetItems.h"
#include "configfiles/BlockJson.h"
#include "discovery/DeviceFormat.h"

namespace varlo {

using namespace varlo::artnet;

namespace {
Json Item(const SelectorList& list, uint8_t value) {
    return ListValue(value, list.TextOf(value));
}

Json Addresses(const _ARTNETBASICPARAM::AddressSet& set) {
    return {{"localIp", FormatIp(set.ip)},
            {"subnetMask", FormatIp(set.mask)},
            {"gateway", FormatIp(set.gateway)}};
}

template <typename Block>
Json Checksum(const Block& b) {
    char stored[7];
    std::snprintf(stored, sizeof stored, "0x%04X", b.Checksum());
    return {{"stored", stored}, {"matches", b.ChecksumMatches()}};
}
}  // namespace

Json DecodeFields(const ArtNetDeviceInfo& info, bool module) {
    return {{"serialNumber", info.SerialNumber()},
            {"firmwareVersion", info.FirmwareVersion()},
            {"hardwareVersion", info.HardwareVersion()},
            {"moduleName", info.ModuleName()},
            {module ? "lanMac" : "nodeAMac", FormatMacDash(info.FirstMac())},
            {module ? "wlanMac" : "nodeBMac", FormatMacDash(info.SecondMac())}};
}

Json DecodeFields(const _ARTNETBASICPARAM& b) {
    using B = _ARTNETBASICPARAM;
    return {{"deviceName", b.DeviceName()},
            {"dmxHoldTime", Item(kDmxHoldTimeItems, b.DmxHoldTime())},
            {"displayHoldTime", Item(kDisplayHoldTimeItems, b.DisplayHoldTime())},
            {"ipAddressType", Item(kIpTypeItems, b.IpType())},
            {"nodeA",
             {{"current", Addresses(b.Addresses(B::kNodeACurrent))},
              {"static", Addresses(b.Addresses(B::kNodeAStatic))}}},
            {"nodeB",
             {{"current", Addresses(b.Addresses(B::kNodeBCurrent))},
              {"static", Addresses(b.Addresses(B::kNodeBStatic))}}},
            {"checksum", Checksum(b)}};
}

Json DecodeFields(const _RT5350BASICPARAM& b) {
    return {{"deviceName", b.DeviceName()},
            {"localIp", FormatIp(b.IpAddress())},
            {"subnetMask", FormatIp(b.SubnetMask())},
            {"checksum", Checksum(b)}};
}

Json DecodeFields(const _ARTNETDMXPARAM& b, const int (&shownPorts)[4]) {
    Json records = Json::array();
    for (std::size_t k = 0; k < _ARTNETDMXPARAM::kPortCount; ++k) {
        const _DMXPORTPARAM p = b.Port(k);
        records.push_back({{"record", k},
                           {"port", shownPorts[k] > 0 ? Json(shownPorts[k]) : Json(nullptr)},
                           {"mode", Item(kPortModeItems, p.PortMode())},
                           {"universe", p.Universe()},
                           {"subNet", p.SubNet()},
                           {"universeInSubNet", p.UniverseInSubNet()},
                           {"frameRate", p.FrameRate()},
                           {"merge", Item(kMergeModeItems, p.MergeMode())},
                           {"unicast", p.Unicast()},
                           {"unicastAddress", FormatIp(p.UnicastAddress())}});
    }
    return {{"ports", records}, {"checksum", Checksum(b)}};
}

}  // namespace varlo
