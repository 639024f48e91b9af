#include <algorithm>

#include "transport/NetAdapter.h"
#include "transport/TransportSettings.h"

namespace varlo {

namespace {
constexpr uint32_t kLinkLocalNet = 0xA9FE0000;  // 169.254.0.0/16
constexpr uint32_t kLinkLocalMask = 0xFFFF0000;
}  // namespace

std::string WhyNotUsed(const NetAdapter& a) {
    if (!a.up) {
        return "down";
    }
    if (a.loopback) {
        return "loopback";
    }
    if (a.addr == 0) {
        return "no address";
    }
    if ((a.addr & kLinkLocalMask) == kLinkLocalNet) {
        return "link-local address only (no DHCP answer)";
    }
    return {};
}

bool UsableForSearch(const NetAdapter& adapter) {
    return WhyNotUsed(adapter).empty();
}

std::vector<NetAdapter> AllAdapters() {
    const TransportSettings& t = Transport();
    return t.adapterSource ? t.adapterSource() : SystemAdapters();
}

std::vector<NetAdapter> SearchAdapters() {
    const TransportSettings& t = Transport();
    std::vector<NetAdapter> used;
    for (NetAdapter& a : AllAdapters()) {
        if (!UsableForSearch(a)) {
            continue;
        }
        const auto named = [&a](const std::vector<std::string>& names) {
            return std::find(names.begin(), names.end(), a.name) != names.end();
        };
        // Names given on the command line win over the chooser's remembered choice.
        if (t.interfaceNames.empty() ? named(t.excludedInterfaces) : !named(t.interfaceNames)) {
            continue;
        }
        used.push_back(std::move(a));
    }
    return used;
}

}  // namespace varlo
