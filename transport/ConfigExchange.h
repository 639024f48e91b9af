#pragma once
// The exchange every configuration operation of both families runs: one BroadcastQuery with the
// 3000 ms budget and a reply buffer of exactly the expected reply length. A reply counts only
// with that length and the request code with bit 7 set; for writes and commands also with status
// byte 0. Nothing else of a reply is looked at, so bytes 2-7 may hold anything. Every operation
// names its target by identity; which device that is (the dialog's g_nCurDevice, a device the
// command line picked) is the caller's business.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "transport/BroadcastQuery.h"
#include "transport/FrameHeader.h"

namespace varlo {

// Writes, the finish command and Default are acknowledged with 8 bytes: code | 0x80, status.
inline constexpr std::size_t kAckReplySize = 8;

// The whole reply of a read, or nothing when the exchange failed. The request goes along the
// route the search found its target on, if it found one.
inline std::optional<Bytes> QueryReply(const DeviceIdentity& target, const Bytes& request,
                                       std::size_t replyLength) {
    Bytes reply(replyLength);
    const std::optional<DeviceRoute> route = Routes().Find(target);
    const int32_t n = RoutedQuery(route ? &*route : nullptr, request.data(), request.size(),
                                  reply.data(), reply.size(), kQueryBudgetMs);
    if (n <= 0 || static_cast<std::size_t>(n) != replyLength ||
        reply[0] != (request[0] | kReplyBit)) {
        return std::nullopt;
    }
    return reply;
}

// A write or command: true only for an 8-byte reply with the right code and status 0.
inline bool QueryAcknowledged(const DeviceIdentity& target, const Bytes& request) {
    const std::optional<Bytes> reply = QueryReply(target, request, kAckReplySize);
    return reply && (*reply)[1] == 0;
}

// How a family frames a bodiless request: BuildHeaderRequest or BuildShortRequest.
using RequestShape = Bytes (*)(uint8_t code, const DeviceIdentity& target);

// A read: `out` takes the reply from replyOffset on, and is untouched on any failure.
template <typename Block>
bool ReadFrom(const DeviceIdentity& target, RequestShape shape, uint8_t code,
              std::size_t replyLength, std::size_t replyOffset, Block* out) {
    const std::optional<Bytes> reply = QueryReply(target, shape(code, target), replyLength);
    if (!reply) {
        return false;
    }
    out->Assign(reply->data() + replyOffset);
    return true;
}

// A parameter block read: the reply is 8 bytes followed by the block.
template <typename Block>
bool ReadBlockFrom(const DeviceIdentity& target, RequestShape shape, uint8_t code, Block* out) {
    return ReadFrom(target, shape, code, kReplyHeaderSize + Block::kSize, kReplyHeaderSize, out);
}

// A write: the header followed by the block exactly as given, acknowledged with status 0.
inline bool WriteBytesTo(const DeviceIdentity& target, uint8_t code, const uint8_t* block,
                         std::size_t size) {
    return QueryAcknowledged(target, BuildWriteRequest(code, target, block, size));
}

template <typename Block>
bool WriteBlockTo(const DeviceIdentity& target, uint8_t code, const Block& block) {
    return WriteBytesTo(target, code, block.data(), block.size());
}

// A bodiless command (the finish command, Default), acknowledged with status 0.
inline bool SendCommandTo(const DeviceIdentity& target, RequestShape shape, uint8_t code) {
    return QueryAcknowledged(target, shape(code, target));
}

}  // namespace varlo
