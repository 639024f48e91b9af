#pragma once
// The exchange every configuration operation of both families runs: one BroadcastQuery with the
// 3000 ms budget and a reply buffer of exactly the expected reply length. A reply counts only
// with that length and the request code with bit 7 set; for writes and commands also with status
// byte 0. Nothing else of a reply is looked at, so bytes 2-7 may hold anything.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "discovery/DeviceTable.h"
#include "transport/BroadcastQuery.h"
#include "transport/FrameHeader.h"

namespace varlo {

// Writes, the finish command and Default are acknowledged with 8 bytes: code | 0x80, status.
inline constexpr std::size_t kAckReplySize = 8;

// The whole reply of a read, or nothing when the exchange failed.
inline std::optional<Bytes> QueryReply(const Bytes& request, std::size_t replyLength) {
    Bytes reply(replyLength);
    const int32_t n =
        BroadcastQuery(request.data(), request.size(), reply.data(), reply.size(), kQueryBudgetMs);
    if (n <= 0 || static_cast<std::size_t>(n) != replyLength ||
        reply[0] != (request[0] | kReplyBit)) {
        return std::nullopt;
    }
    return reply;
}

// A write or command: true only for an 8-byte reply with the right code and status 0.
inline bool QueryAcknowledged(const Bytes& request) {
    const std::optional<Bytes> reply = QueryReply(request, kAckReplySize);
    return reply && (*reply)[1] == 0;
}

// How a family frames a bodiless request: BuildHeaderRequest or BuildShortRequest.
using RequestShape = Bytes (*)(uint8_t code, const DeviceIdentity& target);

// A read from the device at g_nCurDevice: `out` takes the reply from replyOffset on. Abandoned
// with nothing sent when g_nCurDevice is outside the table; `out` is untouched on any failure.
template <typename Block>
bool ReadFromCurrentDevice(RequestShape shape, uint8_t code, std::size_t replyLength,
                           std::size_t replyOffset, Block* out) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    if (!target) {
        return false;
    }
    const std::optional<Bytes> reply = QueryReply(shape(code, *target), replyLength);
    if (!reply) {
        return false;
    }
    out->Assign(reply->data() + replyOffset);
    return true;
}

// A parameter block read: the reply is 8 bytes followed by the block.
template <typename Block>
bool ReadBlockFromCurrentDevice(RequestShape shape, uint8_t code, Block* out) {
    return ReadFromCurrentDevice(shape, code, kReplyHeaderSize + Block::kSize, kReplyHeaderSize,
                                 out);
}

// A write: the header followed by the block exactly as given, acknowledged with status 0.
template <typename Block>
bool WriteBlockToCurrentDevice(uint8_t code, const Block& block) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    return target &&
           QueryAcknowledged(BuildWriteRequest(code, *target, block.data(), block.size()));
}

}  // namespace varlo
