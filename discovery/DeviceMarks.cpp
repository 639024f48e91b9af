#include "discovery/DeviceMarks.h"

#include <bit>
#include <map>
#include <set>

#include "discovery/DeviceFormat.h"
#include "transport/ByteOrder.h"
#include "transport/TransportSettings.h"

namespace varlo {

std::vector<DeviceMark> MarkDevices(const CConfigParamArray& table) {
    std::map<uint32_t, std::set<DeviceIdentity>> byIp;
    for (std::size_t i = 0; i < table.GetSize(); ++i) {
        byIp[LoadBE32(table[i].dwIp().data())].insert(table[i].Identity());
    }
    std::vector<DeviceMark> marks(table.GetSize());
    for (std::size_t i = 0; i < table.GetSize(); ++i) {
        const uint32_t ip = LoadBE32(table[i].dwIp().data());
        const DeviceRoute& route = table.RouteOf(i);
        const NetAdapter& a = route.adapter;
        DeviceMark& m = marks[i];
        if (a.index != 0 && !route.unicast && !a.InSubnet(ip)) {
            m.outsideSubnet = true;
            const uint32_t net = a.addr & a.mask;
            m.advice = FormatIpv4(ip) + " is outside the subnet of " + a.name + " (" +
                       FormatIpv4(net) + "/" + std::to_string(std::popcount(a.mask)) +
                       "), the adapter that found it: its web page cannot be reached from "
                       "here. Give it an address in that subnet with Config.";
        }
        if (byIp[ip].size() > 1) {
            m.sharedIp = true;
            if (!m.advice.empty()) {
                m.advice += "\n";
            }
            m.advice += "Another device answered with " + FormatIpv4(ip) +
                        " too: give each device an address of its own with Config.";
        }
    }
    return marks;
}

}  // namespace varlo
