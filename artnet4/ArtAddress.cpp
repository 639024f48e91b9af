#include "artnet4/ArtAddress.h"

#include <cstdlib>

namespace varlo::artnet4 {

ArtAddress::ArtAddress(uint8_t bindIndex) {
    WriteHeader(data(), kOpAddress);
    SetU16BE(kProtVer, kProtocolVersion);
    SetU8(kNetSwitch, kNoChange);
    SetU8(kBindIndex, bindIndex);
    for (std::size_t k = 0; k < kMaxPorts; ++k) {
        SetU8(kSwIn + k, kNoChange);
        SetU8(kSwOut + k, kNoChange);
    }
    SetU8(kSubSwitch, kNoChange);
    SetU8(kAcnPriority, kAcnNoChange);
    SetU8(kCommand, kCmdNone);
}

std::optional<ArtAddress> ArtAddress::Parse(const uint8_t* data, std::size_t size) {
    if (size < kSize || ReadOpCode(data, size) != kOpAddress) {
        return std::nullopt;
    }
    ArtAddress address;
    address.Assign(data);
    return address;
}

std::optional<uint8_t> ArtAddress::Programmed(std::size_t off, uint8_t mask) const {
    const uint8_t v = GetU8(off);
    if ((v & kProgram) == 0) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(v & mask);
}

std::size_t ArtAddress::Port(std::size_t k) {
    if (k >= kMaxPorts) {
        std::abort();
    }
    return k;
}

}  // namespace varlo::artnet4
