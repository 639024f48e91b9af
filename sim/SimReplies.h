#pragma once
// What the simulated devices of both families have in common when they answer a configuration
// request: reply framing, request checks and the dirtyText fault.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

#include "sim/CommandSet.h"
#include "transport/FrameHeader.h"

namespace varlo::sim {

// Where a block keeps its texts and the bytes nobody interprets (block offsets), so the
// dirtyText fault can put non-zero bytes after every terminator and into every unused byte.
struct BlockLayout {
    struct Field {
        std::size_t offset;
        std::size_t width;
    };
    std::vector<Field> texts;
    std::vector<Field> unused;
    // Art-Net blocks: the checksum over the leading bytes sits here and is stamped afresh.
    std::optional<std::size_t> checksumAt;
};

// A read reply: code | 0x80, status 0, six zero bytes, then the block.
Bytes ReadReply(uint8_t code, const Bytes& block);
// A write or command reply: 8 bytes, code | 0x80 and the status (0 accepted).
Bytes Ack(uint8_t code, uint8_t status = 0);
inline constexpr uint8_t kRefused = 1;

// The header's length field equals the datagram's length.
bool LengthFieldMatches(const Bytes& request);
// An Art-Net short request: 24 bytes whose header checksum matches.
bool IsShortRequest(const Bytes& request);
// The block of a write request, or nothing when the request is not 20 + blockSize bytes.
std::optional<Bytes> WrittenBlock(const Bytes& request, std::size_t blockSize);

Bytes Dirtied(const Bytes& block, const BlockLayout& layout);

// A write of the block kept under readCode: stored and acknowledged when the request carries a
// block of the stored size that `accept` (if given) takes, refused with status 1 otherwise.
CommandHandler WriteHandler(uint8_t code, uint8_t readCode,
                            std::function<bool(uint8_t readCode, const Bytes& block)> accept = {});

}  // namespace varlo::sim
