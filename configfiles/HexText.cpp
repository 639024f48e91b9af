#include "configfiles/HexText.h"

#include <cstdio>

namespace varlo {

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

std::string CodeText(uint8_t code) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

std::string TypeCodeText(uint32_t type) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", type);
    return text;
}

}  // namespace varlo
