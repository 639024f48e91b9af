#pragma once
// Where Art-Net polls go and which local port hears the answers, process-wide as the
// transport's target is. Operators get Art-Net's own: polls to the limited broadcast on port
// 6454, answers on 6454 (nodes may broadcast them there). `--target` and the demo point the
// polls at one address, a simulator on loopback among them.
#include <cstdint>
#include <string_view>
#include <vector>

#include "artnet4/ArtNetHeader.h"
#include "transport/NetAdapter.h"

namespace varlo::artnet4 {

struct ArtNetSettings {
    std::vector<uint32_t> pollAddrs{0xFFFFFFFF};  // host order
    uint16_t pollPort = kArtNetPort;
    // 0: a port of the system's choice (tests, several programs at once).
    uint16_t localPort = kArtNetPort;
};

ArtNetSettings& ArtNetTarget();

// "ADDRESS[:PORT]" as the only poll target; the port stays 6454 when none is given.
bool ParseArtNetTarget(std::string_view text, ArtNetSettings* settings);

// Where one poll goes. Polls to the limited broadcast leave through one adapter only, the one
// the route table picks, so they also go to the directed broadcast of each adapter a search
// uses, as Art-Net 4 asks; an address given with `--target` (a simulator, one node) stays alone.
std::vector<uint32_t> PollDestinations(const std::vector<uint32_t>& pollAddrs,
                                       const std::vector<NetAdapter>& adapters);

}  // namespace varlo::artnet4
