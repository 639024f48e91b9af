#include "serialserver/WepKeyText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "transport/HexText.h"

namespace varlo::serialserver {

int FormatKeyString(uint32_t format, std::span<const uint8_t> key, std::string* text) {
    if (format == kKeyFormatAscii) {
        const auto high = std::find_if(key.begin(), key.end(), [](uint8_t b) { return b >= 0x80; });
        if (high != key.end()) {
            return static_cast<int>(high - key.begin());
        }
        std::string out;
        for (const uint8_t b : key) {
            if (b == 0) {
                break;  // the field shows the text up to the key's first zero byte
            }
            if (b == '\\' || b == '"') {
                out += '\\';
            }
            out += static_cast<char>(b);
        }
        *text = std::move(out);
        return static_cast<int>(key.size());
    }
    if (format == kKeyFormatHex) {
        std::string out;
        char pair[3];
        for (const uint8_t b : key) {
            std::snprintf(pair, sizeof pair, "%02x", b);
            out += pair;
        }
        *text = std::move(out);
        return static_cast<int>(key.size());
    }
    return -1;
}

bool ParseHexKey(std::string_view text, std::span<uint8_t> out, std::size_t digitCount) {
    if ((digitCount + 1) / 2 > out.size()) {
        std::abort();  // a caller's error: the slot is smaller than the digits it asks for
    }
    // Past the text's end stands its terminating zero, which is no digit.
    const auto at = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    for (std::size_t i = 0; i < digitCount; i += 2) {
        const std::optional<uint8_t> byte = HexByte(at(i), at(i + 1));
        if (!byte) {
            return false;
        }
        out[i / 2] = *byte;
    }
    return true;
}

std::string UnescapeKeyText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

}  // namespace varlo::serialserver
