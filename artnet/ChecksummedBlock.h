#pragma once
// An Art-Net parameter block: its leading bytes are followed by their frame checksum
// (CRC-16/MODBUS, high byte first) and two trailing bytes. The devices' checksums in read replies
// are not verified; a block is stamped afresh before it is written.
#include "transport/ByteBlock.h"
#include "transport/FrameCrc.h"

namespace varlo {

template <std::size_t N, std::size_t CrcAt>
class ChecksummedBlock : public ByteBlock<N> {
    static_assert(CrcAt + 2 <= N && CrcAt <= 0xFFFF);

public:
    static constexpr std::size_t kChecksum = CrcAt;  // covers bytes 0 to CrcAt - 1

    // Stores the checksum over the leading bytes, high byte first.
    void StampChecksum() { StampFrameCrc(this->data(), static_cast<uint16_t>(CrcAt)); }
    // The CRC-16/MODBUS value as stored (high byte first).
    uint16_t Checksum() const { return this->GetU16BE(CrcAt); }
    bool ChecksumMatches() const {
        uint8_t expected[2];
        StoreFrameCrc(expected, CalcFrameCrc(this->data(), static_cast<uint16_t>(CrcAt)));
        return expected[0] == this->GetU8(CrcAt) && expected[1] == this->GetU8(CrcAt + 1);
    }
};

}  // namespace varlo
