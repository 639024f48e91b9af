#include "transport/FrameHeader.h"

#include <algorithm>

#include "transport/ByteOrder.h"
#include "transport/FrameCrc.h"

namespace varlo {

void BuildRequestHeader(uint8_t* out, uint8_t code, uint16_t totalLength,
                        const DeviceIdentity& target) {
    out[0] = code;
    out[1] = 0;
    StoreBE16(out + 2, totalLength);
    std::fill_n(out + 4, 4, uint8_t{0});
    std::copy(target.begin(), target.end(), out + 8);
}

Bytes BuildHeaderRequest(uint8_t code, const DeviceIdentity& target) {
    Bytes frame(kRequestHeaderSize);
    BuildRequestHeader(frame.data(), code, kRequestHeaderSize, target);
    return frame;
}

Bytes BuildShortRequest(uint8_t code, const DeviceIdentity& target) {
    Bytes frame(kShortRequestSize, 0);
    BuildRequestHeader(frame.data(), code, kShortRequestSize, target);
    StampFrameCrc(frame.data(), kRequestHeaderSize);
    return frame;
}

Bytes BuildWriteRequest(uint8_t code, const DeviceIdentity& target, const uint8_t* block,
                        std::size_t blockSize) {
    Bytes frame(kRequestHeaderSize + blockSize);
    BuildRequestHeader(frame.data(), code, static_cast<uint16_t>(frame.size()), target);
    std::copy_n(block, blockSize, frame.data() + kRequestHeaderSize);
    return frame;
}

}  // namespace varlo
