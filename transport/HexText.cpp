#include "transport/HexText.h"

namespace varlo {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<uint8_t> HexByte(char high, char low) {
    const int h = HexDigit(high);
    const int l = HexDigit(low);
    if (h < 0 || l < 0) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(h << 4 | l);
}

std::optional<uint32_t> ParseHexU32(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    uint32_t v = 0;
    for (const char c : digits) {
        const int d = HexDigit(c);
        if (d < 0) {
            return std::nullopt;
        }
        v = v << 4 | static_cast<uint32_t>(d);
    }
    return v;
}

bool ParseHexBytes(std::string_view text, Bytes* out) {
    if (text.size() % 2 != 0) {
        return false;
    }
    out->clear();
    out->reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        out->push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return true;
}

std::string HexOf(const uint8_t* data, std::size_t size) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(2 * size);
    for (std::size_t i = 0; i < size; ++i) {
        out += kDigits[data[i] >> 4];
        out += kDigits[data[i] & 0x0F];
    }
    return out;
}

}  // namespace varlo
