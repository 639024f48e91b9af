#pragma once
// ArtPoll (OpPoll 0x2000): the 14-byte question "which nodes are there?". Art-Net 4 allows 22
// bytes with targeting fields; every node accepts the 14-byte form, so that is what Varlo sends.
#include <optional>

#include "artnet4/ArtNetHeader.h"
#include "transport/ByteBlock.h"

namespace varlo::artnet4 {

class ArtPoll : public ByteBlock<14> {
public:
    static constexpr std::size_t kProtVer = 10;  // 2 bytes, high first
    static constexpr std::size_t kFlags = 12;
    static constexpr std::size_t kDiagPriority = 13;

    // Flags bit 1: reply whenever the node's state changes, not only when polled.
    static constexpr uint8_t kFlagReplyOnChange = 0x02;
    static constexpr uint8_t kFlagSendDiagnostics = 0x04;

    explicit ArtPoll(uint8_t flags = 0, uint8_t diagPriority = 0);

    // Anything from 14 bytes on with the ID and OpPoll; the targeting fields of a longer poll
    // are not read.
    static std::optional<ArtPoll> Parse(const uint8_t* data, std::size_t size);

    uint16_t ProtVer() const { return GetU16BE(kProtVer); }
    uint8_t Flags() const { return GetU8(kFlags); }
    uint8_t DiagPriority() const { return GetU8(kDiagPriority); }
};
static_assert(sizeof(ArtPoll) == 14);

}  // namespace varlo::artnet4
