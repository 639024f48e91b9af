#include "discovery/SearchProtocol.h"

#include <algorithm>
#include <span>

#include "transport/ByteOrder.h"

namespace varlo {

Bytes BuildSearchRequest(const CConfigParamArray& table) {
    const std::size_t n = std::min(table.GetSize(), kMaxListedIdentities);
    Bytes frame(kSearchHeaderSize + kIdentitySize * n, 0);
    frame[0] = kSearchRequestCode;
    StoreBE16(frame.data() + 2, static_cast<uint16_t>(frame.size()));
    uint8_t* out = frame.data() + kSearchHeaderSize;
    for (std::size_t k = 0; k < n; ++k, out += kIdentitySize) {
        std::copy_n(table[k].data(), kIdentitySize, out);
    }
    return frame;
}

std::optional<_CONFIGPARAM> AcceptSearchReply(const uint8_t (&buffer)[kSearchReceiveBuffer],
                                              int count) {
    if (count <= 0 || buffer[0] != kSearchReplyCode ||
        LoadBE16(buffer + 2) != kSearchReplyLengthField) {
        return std::nullopt;
    }
    return _CONFIGPARAM::FromBytes(std::span(buffer).subspan<8, 16>());
}

}  // namespace varlo
