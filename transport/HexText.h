#pragma once
// Hexadecimal text, read and written in one place: MAC addresses, type codes, WEP keys, the
// registry export's dwords and byte lists, and the byte fixtures of the tests all go through it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "transport/FrameHeader.h"

namespace varlo {

// The value of one hexadecimal digit (either case), or -1 for any other character.
int HexDigit(char c);

// The byte two digits spell ("4f" -> 0x4F), or nothing when either is not a hexadecimal digit.
std::optional<uint8_t> HexByte(char high, char low);

// A number of 1 to 8 hexadecimal digits and nothing else ("0x" is not taken), or nothing.
std::optional<uint32_t> ParseHexU32(std::string_view digits);

// Two digits a byte, no separators; false (out unspecified) on an odd count or a non-digit.
bool ParseHexBytes(std::string_view text, Bytes* out);

// Upper-case hex digits, two a byte, no separators.
std::string HexOf(const uint8_t* data, std::size_t size);

}  // namespace varlo
