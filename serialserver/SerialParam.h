#pragma once
// _SERIALPARAM, a serial server's serial-line block: 16 bytes of four u32 codes, read with 0x05
// and written with 0x09. The item tables in SerialServerItems.h turn the codes into texts.
#include "transport/ByteBlock.h"

namespace varlo {

class _SERIALPARAM : public ByteBlock<16> {
public:
    static constexpr std::size_t kBaudRate = 0;  // 2 = 110 ... 17 = 230400 bit/s
    static constexpr std::size_t kDataBits = 4;  // 0 five ... 3 eight
    static constexpr std::size_t kStopBits = 8;  // 0 one, 1 two
    static constexpr std::size_t kParity = 12;   // 0 none, 1 odd, 2 even, 3 mark, 4 space

    uint32_t BaudRate() const { return GetU32BE(kBaudRate); }
    void SetBaudRate(uint32_t v) { SetU32BE(kBaudRate, v); }
    uint32_t DataBits() const { return GetU32BE(kDataBits); }
    void SetDataBits(uint32_t v) { SetU32BE(kDataBits, v); }
    uint32_t StopBits() const { return GetU32BE(kStopBits); }
    void SetStopBits(uint32_t v) { SetU32BE(kStopBits, v); }
    uint32_t Parity() const { return GetU32BE(kParity); }
    void SetParity(uint32_t v) { SetU32BE(kParity, v); }
};
static_assert(sizeof(_SERIALPARAM) == 16);

}  // namespace varlo
