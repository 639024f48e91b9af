#pragma once
// _DMXPORTPARAM, one DMX port: a 12-byte record of the port block _ARTNETDMXPARAM.
#include "transport/ByteBlock.h"

namespace varlo {

class _DMXPORTPARAM : public ByteBlock<12> {
public:
    static constexpr std::size_t kPortMode = 0;   // selector: 0 Input, 1 Output
    static constexpr std::size_t kReserved1 = 1;  // kept
    // Bits 7-4 the sub-net, bits 3-0 the universe within it: 0x37 is sub-net 3, universe 7.
    static constexpr std::size_t kUniverse = 2;
    static constexpr std::size_t kFrameRate = 3;  // the number entered
    static constexpr std::size_t kMergeMode = 4;  // selector: OFF, HTP, LTP, Backup
    static constexpr std::size_t kReserved5 = 5;  // 2 bytes, kept
    static constexpr std::size_t kUnicast = 7;    // 0 off, 1 on
    static constexpr std::size_t kUnicastAddress = 8;

    uint8_t PortMode() const { return GetU8(kPortMode); }
    void SetPortMode(uint8_t v) { SetU8(kPortMode, v); }
    uint8_t Universe() const { return GetU8(kUniverse); }
    void SetUniverse(uint8_t v) { SetU8(kUniverse, v); }
    uint8_t SubNet() const { return static_cast<uint8_t>(Universe() >> 4); }
    uint8_t UniverseInSubNet() const { return static_cast<uint8_t>(Universe() & 0x0F); }
    uint8_t FrameRate() const { return GetU8(kFrameRate); }
    void SetFrameRate(uint8_t v) { SetU8(kFrameRate, v); }
    uint8_t MergeMode() const { return GetU8(kMergeMode); }
    void SetMergeMode(uint8_t v) { SetU8(kMergeMode, v); }
    uint8_t Unicast() const { return GetU8(kUnicast); }
    void SetUnicast(uint8_t v) { SetU8(kUnicast, v); }
    Ipv4Bytes UnicastAddress() const { return GetIp(kUnicastAddress); }
    void SetUnicastAddress(const Ipv4Bytes& ip) { SetIp(kUnicastAddress, ip); }
};
static_assert(sizeof(_DMXPORTPARAM) == 12);

}  // namespace varlo
