#include "artnet4/PortAddress.h"

#include <cstdio>

namespace varlo::artnet4 {

std::string FormatPortAddress(uint16_t portAddress) {
    char text[32];
    std::snprintf(text, sizeof text, "%u:%u:%u (%u)", NetOf(portAddress), SubNetOf(portAddress),
                  UniverseOf(portAddress), portAddress & 0x7FFFu);
    return text;
}

}  // namespace varlo::artnet4
