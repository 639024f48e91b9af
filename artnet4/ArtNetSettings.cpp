#include "artnet4/ArtNetSettings.h"

#include <algorithm>

#include "transport/TransportSettings.h"

namespace varlo::artnet4 {

ArtNetSettings& ArtNetTarget() {
    static ArtNetSettings settings;
    return settings;
}

bool ParseArtNetTarget(std::string_view text, ArtNetSettings* settings) {
    uint32_t addr = 0;
    uint16_t port = kArtNetPort;
    if (!ParseTarget(text, &addr, &port)) {
        return false;
    }
    settings->pollAddrs = {addr};
    settings->pollPort = port;
    return true;
}

std::vector<uint32_t> PollDestinations(const std::vector<uint32_t>& pollAddrs,
                                       const std::vector<NetAdapter>& adapters) {
    std::vector<uint32_t> out = pollAddrs;
    if (pollAddrs != std::vector<uint32_t>{kLimitedBroadcast}) {
        return out;
    }
    for (const NetAdapter& adapter : adapters) {
        // A host route (/32) or no mask has no segment to broadcast on.
        if (adapter.mask == 0 || adapter.mask == 0xFFFFFFFF) {
            continue;
        }
        const uint32_t directed = (adapter.addr & adapter.mask) | ~adapter.mask;
        if (std::find(out.begin(), out.end(), directed) == out.end()) {
            out.push_back(directed);
        }
    }
    return out;
}

}  // namespace varlo::artnet4
