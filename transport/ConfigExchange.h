#pragma once
// The exchange every configuration operation of both families runs: one BroadcastQuery with the
// 3000 ms budget and a reply buffer of exactly the expected reply length. A reply counts only
// with that length and the request code with bit 7 set; for writes and commands also with status
// byte 0. Nothing else of a reply is looked at, so bytes 2-7 may hold anything.
#include <cstddef>
#include <cstdint>
#include <optional>

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

}  // namespace varlo
