#pragma once
// The common configuration request: a 20-byte header (code, 0, total length big-endian, four
// zero bytes, the target's 12 identity bytes) and the three request shapes built on it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace varlo {

using Bytes = std::vector<uint8_t>;
// Type code (as received, little-endian), two extra bytes, MAC: what names a device on the wire.
using DeviceIdentity = std::array<uint8_t, 12>;

inline constexpr std::size_t kRequestHeaderSize = 20;
inline constexpr std::size_t kShortRequestSize = 24;
inline constexpr std::size_t kReplyHeaderSize = 8;
inline constexpr uint8_t kReplyBit = 0x80;

void BuildRequestHeader(uint8_t* out, uint8_t code, uint16_t totalLength,
                        const DeviceIdentity& target);

// Header alone: serial-server reads.
Bytes BuildHeaderRequest(uint8_t code, const DeviceIdentity& target);
// Header, CalcFrameCrc over it high byte first, two zero bytes: Art-Net reads and commands.
Bytes BuildShortRequest(uint8_t code, const DeviceIdentity& target);
// Header followed directly by a parameter block: writes of both families.
Bytes BuildWriteRequest(uint8_t code, const DeviceIdentity& target, const uint8_t* block,
                        std::size_t blockSize);

}  // namespace varlo
