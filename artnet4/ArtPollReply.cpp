#include "artnet4/ArtPollReply.h"

#include <algorithm>
#include <cstdlib>

#include "artnet4/PortAddress.h"

namespace varlo::artnet4 {

ArtPollReply::ArtPollReply() {
    WriteHeader(data(), kOpPollReply);
    StoreLE16(At(kPort, 2), kArtNetPort);
}

std::optional<ArtPollReply> ArtPollReply::Parse(const uint8_t* data, std::size_t size) {
    if (size < kMinSize || ReadOpCode(data, size) != kOpPollReply) {
        return std::nullopt;
    }
    ArtPollReply reply;
    std::fill_n(reply.data(), kSize, uint8_t{0});
    std::copy_n(data, std::min(size, kSize), reply.data());
    return reply;
}

std::size_t ArtPollReply::PortCount() const {
    return std::min<std::size_t>(NumPortsField(), kMaxPorts);
}

uint16_t ArtPollReply::InputPortAddress(std::size_t k) const {
    return MakePortAddress(NetSwitch(), SubSwitch(), SwIn(k));
}

uint16_t ArtPollReply::OutputPortAddress(std::size_t k) const {
    return MakePortAddress(NetSwitch(), SubSwitch(), SwOut(k));
}

uint8_t ArtPollReply::BindIndex() const {
    return std::max<uint8_t>(BindIndexField(), 1);
}

std::size_t ArtPollReply::Port(std::size_t k) {
    // The four per-port arrays sit side by side: a fifth port would read the next array.
    if (k >= kMaxPorts) {
        std::abort();
    }
    return k;
}

}  // namespace varlo::artnet4
