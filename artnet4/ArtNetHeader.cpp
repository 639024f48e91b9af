#include "artnet4/ArtNetHeader.h"

#include <algorithm>

#include "transport/ByteOrder.h"

namespace varlo::artnet4 {

std::optional<uint16_t> ReadOpCode(const uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kOpCodeOffset + 2 ||
        !std::equal(kArtNetId, kArtNetId + kIdSize, data)) {
        return std::nullopt;
    }
    return LoadLE16(data + kOpCodeOffset);
}

void WriteHeader(uint8_t* packet, uint16_t opCode) {
    std::copy(kArtNetId, kArtNetId + kIdSize, packet);
    StoreLE16(packet + kOpCodeOffset, opCode);
}

}  // namespace varlo::artnet4
