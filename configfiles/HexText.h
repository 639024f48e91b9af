#pragma once
// Hex digits as configuration files and the command line write them: one home for reading and
// writing them, so every reader takes the same digits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "transport/FrameHeader.h"

namespace varlo {

// 0-15 for a hex digit of either case, -1 for anything else.
constexpr int HexDigit(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

// Two digits a byte, no separators; false (out unspecified) on an odd count or a non-digit.
bool ParseHexBytes(std::string_view text, Bytes* out);

// Upper-case hex digits, two a byte, no separators.
std::string HexOf(const uint8_t* data, std::size_t size);

// "0x7E", a request code as files and messages print it.
std::string CodeText(uint8_t code);
// "0x90000004", a device type code.
std::string TypeCodeText(uint32_t type);

}  // namespace varlo
