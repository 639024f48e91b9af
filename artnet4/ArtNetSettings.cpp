#include "artnet4/ArtNetSettings.h"

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

}  // namespace varlo::artnet4
