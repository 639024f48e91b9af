#include "artnet4/ArtPoll.h"

namespace varlo::artnet4 {

ArtPoll::ArtPoll(uint8_t flags, uint8_t diagPriority) {
    WriteHeader(data(), kOpPoll);
    SetU16BE(kProtVer, kProtocolVersion);
    SetU8(kFlags, flags);
    SetU8(kDiagPriority, diagPriority);
}

std::optional<ArtPoll> ArtPoll::Parse(const uint8_t* data, std::size_t size) {
    if (size < kSize || ReadOpCode(data, size) != kOpPoll) {
        return std::nullopt;
    }
    ArtPoll poll;
    poll.Assign(data);
    return poll;
}

}  // namespace varlo::artnet4
