#pragma once
// The 15-bit Port-Address of an Art-Net port: net (7 bits), sub-net (4) and universe (4). People
// write it either way, "3:5:5" or 853, and mix the two up; Varlo shows both.
#include <cstdint>
#include <string>

namespace varlo::artnet4 {

constexpr uint16_t MakePortAddress(uint8_t net, uint8_t subNet, uint8_t universe) {
    return static_cast<uint16_t>(((net & 0x7F) << 8) | ((subNet & 0x0F) << 4) | (universe & 0x0F));
}
constexpr uint8_t NetOf(uint16_t portAddress) {
    return static_cast<uint8_t>((portAddress >> 8) & 0x7F);
}
constexpr uint8_t SubNetOf(uint16_t portAddress) {
    return static_cast<uint8_t>((portAddress >> 4) & 0x0F);
}
constexpr uint8_t UniverseOf(uint16_t portAddress) {
    return static_cast<uint8_t>(portAddress & 0x0F);
}

// "3:5:5 (853)"
std::string FormatPortAddress(uint16_t portAddress);

}  // namespace varlo::artnet4
