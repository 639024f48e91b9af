#pragma once
// WEP keys between their stored bytes and the text of a key field. A slot holds the key bytes
// themselves in either format: ASCII characters as their codes, HEX digits as the bytes they
// spell.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace varlo::serialserver {

inline constexpr uint32_t kKeyFormatAscii = 0;
inline constexpr uint32_t kKeyFormatHex = 1;

// Renders key bytes as a key field shows them. ASCII: every byte as its character, a backslash
// or double quote preceded by an added backslash; the text ends at the key's first zero byte.
// HEX: two lower-case digits per byte. Returns key.size() when *text was written; otherwise
// *text is left alone and the result is below key.size(): the index of the first byte of 0x80
// or above (ASCII), or -1 for a format other than ASCII and HEX.
int FormatKeyString(uint32_t format, std::span<const uint8_t> key, std::string* text);

// Converts the first `digitCount` hexadecimal digits of `text` into out[0], out[1], ...;
// false at the first pair that is not two hexadecimal digits (a text that is too short fails
// at its end), with the bytes converted so far already stored. Characters past digitCount are
// ignored. `out` must hold (digitCount + 1) / 2 bytes.
bool ParseHexKey(std::string_view text, std::span<uint8_t> out, std::size_t digitCount);

// Undoes the escaping FormatKeyString adds: "\\" becomes "\" and "\"" becomes """; any other
// backslash stays as typed. An untouched ASCII key so round-trips exactly.
std::string UnescapeKeyText(std::string_view text);

}  // namespace varlo::serialserver
