#pragma once
// What every Art-Net packet starts with: the 8-byte ID "Art-Net\0" and a 16-bit OpCode sent low
// byte first; most packets then carry the protocol version, high byte first. Art-Net uses one
// UDP port for everything, in both directions.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace varlo::artnet4 {

inline constexpr uint16_t kArtNetPort = 6454;  // 0x1936
inline constexpr uint16_t kProtocolVersion = 14;

inline constexpr uint16_t kOpPoll = 0x2000;
inline constexpr uint16_t kOpPollReply = 0x2100;
inline constexpr uint16_t kOpAddress = 0x6000;

inline constexpr std::size_t kIdSize = 8;
inline constexpr std::size_t kOpCodeOffset = 8;
inline constexpr std::size_t kVersionOffset = 10;
inline constexpr uint8_t kArtNetId[kIdSize] = {'A', 'r', 't', '-', 'N', 'e', 't', 0};

// The OpCode of a datagram that starts with the Art-Net ID, or nothing when it is too short to
// hold one or starts otherwise.
std::optional<uint16_t> ReadOpCode(const uint8_t* data, std::size_t size);

// Writes the ID and the OpCode at the start of a packet of at least 10 bytes.
void WriteHeader(uint8_t* packet, uint16_t opCode);

}  // namespace varlo::artnet4
