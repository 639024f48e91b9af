#pragma once
// The search frames: request 0x01 listing the identities already found, reply 0x81 carrying
// one device record.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "discovery/DeviceTable.h"
#include "transport/FrameHeader.h"

namespace varlo {

inline constexpr uint8_t kSearchRequestCode = 0x01;
inline constexpr uint8_t kSearchReplyCode = 0x81;
inline constexpr std::size_t kSearchHeaderSize = 8;
inline constexpr std::size_t kIdentitySize = 12;
inline constexpr uint16_t kSearchReplyLengthField = 24;
inline constexpr std::size_t kSearchReceiveBuffer = 256;
// The most identities that fit the largest UDP payload (65,507 bytes). Later records are left
// out of the request so that its length field always equals the bytes sent.
inline constexpr std::size_t kMaxListedIdentities = 5458;

// 8 + 12 x n bytes: the header, then the identity of every table record in table order
// (at most kMaxListedIdentities of them), repeats included.
Bytes BuildSearchRequest(const CConfigParamArray& table);

// Judges one receive into a cleared 256-byte buffer. Accepted when count > 0, byte 0 is 0x81
// and bytes 2-3 read 24 big-endian; the count is deliberately not compared with 24, so a short
// reply reads its missing bytes as the zeros the buffer was cleared to.
std::optional<_CONFIGPARAM> AcceptSearchReply(const uint8_t (&buffer)[kSearchReceiveBuffer],
                                              int count);

}  // namespace varlo
