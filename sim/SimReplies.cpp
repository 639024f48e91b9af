#include "sim/SimReplies.h"

#include <algorithm>

#include "transport/ByteOrder.h"
#include "transport/FrameCrc.h"

namespace varlo::sim {

Bytes ReadReply(uint8_t code, const Bytes& block) {
    Bytes reply(kReplyHeaderSize + block.size(), 0);
    reply[0] = code | kReplyBit;
    std::copy(block.begin(), block.end(), reply.begin() + kReplyHeaderSize);
    return reply;
}

Bytes Ack(uint8_t code, uint8_t status) {
    Bytes reply(8, 0);
    reply[0] = code | kReplyBit;
    reply[1] = status;
    return reply;
}

bool LengthFieldMatches(const Bytes& request) {
    return request.size() >= kRequestHeaderSize && LoadBE16(request.data() + 2) == request.size();
}

bool IsShortRequest(const Bytes& request) {
    if (request.size() != kShortRequestSize || !LengthFieldMatches(request)) {
        return false;
    }
    uint8_t crc[2];
    StoreFrameCrc(crc, CalcFrameCrc(request.data(), kRequestHeaderSize));
    return crc[0] == request[kRequestHeaderSize] && crc[1] == request[kRequestHeaderSize + 1];
}

std::optional<Bytes> WrittenBlock(const Bytes& request, std::size_t blockSize) {
    if (request.size() != kRequestHeaderSize + blockSize) {
        return std::nullopt;
    }
    return Bytes(request.begin() + kRequestHeaderSize, request.end());
}

Bytes Dirtied(const Bytes& block, const BlockLayout& layout) {
    Bytes out = block;
    const auto fits = [&](std::size_t offset, std::size_t width) {
        return offset + width <= out.size();
    };
    for (const BlockLayout::Field& f : layout.texts) {
        if (!fits(f.offset, f.width)) {
            continue;
        }
        const auto begin = out.begin() + static_cast<long>(f.offset);
        const auto end = begin + static_cast<long>(f.width);
        const auto zero = std::find(begin, end, uint8_t{0});
        if (zero != end) {
            std::fill(zero + 1, end, uint8_t{'~'});
        }
    }
    for (const BlockLayout::Field& f : layout.unused) {
        if (!fits(f.offset, f.width)) {
            continue;
        }
        std::fill_n(out.begin() + static_cast<long>(f.offset), f.width, uint8_t{0xA5});
    }
    if (layout.checksumAt && fits(*layout.checksumAt, 2)) {
        StampFrameCrc(out.data(), static_cast<uint16_t>(*layout.checksumAt));
    }
    return out;
}

CommandHandler WriteHandler(uint8_t code, uint8_t readCode,
                            std::function<bool(uint8_t readCode, const Bytes& block)> accept) {
    return
        [code, readCode, accept](SimDevice& device, const Bytes& request) -> std::optional<Bytes> {
            const auto block = device.blocks.find(readCode);
            if (!LengthFieldMatches(request) || block == device.blocks.end()) {
                return std::nullopt;
            }
            std::optional<Bytes> written = WrittenBlock(request, block->second.size());
            if (!written || (accept && !accept(readCode, *written))) {
                return Ack(code, kRefused);
            }
            block->second = std::move(*written);
            return Ack(code);
        };
}

}  // namespace varlo::sim
