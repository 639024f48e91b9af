#include "configfiles/FieldValues.h"

#include <algorithm>
#include <cstdio>

#include "configfiles/HexText.h"
#include "transport/ByteOrder.h"
#include "transport/FrameCrc.h"
#include "transport/TransportSettings.h"

namespace varlo {

namespace {
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

uint32_t LoadNumber(const uint8_t* p, std::size_t width) {
    switch (width) {
        case 1:
            return p[0];
        case 2:
            return LoadBE16(p);
        default:
            return LoadBE32(p);
    }
}

void StoreNumber(uint8_t* p, std::size_t width, uint32_t v) {
    switch (width) {
        case 1:
            p[0] = static_cast<uint8_t>(v);
            break;
        case 2:
            StoreBE16(p, static_cast<uint16_t>(v));
            break;
        default:
            StoreBE32(p, v);
            break;
    }
}

std::string ItemsText(const FieldSpec& f) {
    std::string out;
    for (std::size_t i = 0; i < f.items.size(); ++i) {
        out += (i ? ", \"" : "\"") + std::string(f.items[i]) + "\" (" +
               std::to_string(f.firstWire + i) + ")";
    }
    return out;
}

// The wire value a list value entered as text stands for: its item text (exactly, or ignoring
// ASCII case), otherwise the number of an item.
std::optional<uint32_t> ListWire(const FieldSpec& f, std::string_view text) {
    for (std::size_t i = 0; i < f.items.size(); ++i) {
        if (text == f.items[i]) {
            return f.firstWire + static_cast<uint32_t>(i);
        }
    }
    for (std::size_t i = 0; i < f.items.size(); ++i) {
        if (EqualsIgnoringAsciiCase(text, f.items[i])) {
            return f.firstWire + static_cast<uint32_t>(i);
        }
    }
    uint32_t v = 0;
    if (ParseDecimal(text, &v) && v >= f.firstWire && v - f.firstWire < f.items.size()) {
        return v;
    }
    return std::nullopt;
}

std::string Quoted(const uint8_t* p, std::size_t width) {
    std::string out = "\"";
    for (std::size_t i = 0; i < width && p[i] != 0; ++i) {
        const uint8_t c = p[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\x%02X", c);
            out += esc;
        } else {
            out += static_cast<char>(c);  // 8-bit texts go out as the device holds them
        }
    }
    return out + "\"";
}
}  // namespace

bool ParseDecimal(std::string_view text, uint32_t* out) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    uint64_t v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v > 0xFFFFFFFFu) {
        return false;
    }
    *out = static_cast<uint32_t>(v);
    return true;
}

bool StoreValue(const FieldSpec& f, std::string_view text, Bytes* block, std::string* error) {
    if (f.offset + f.width > block->size()) {
        *error = "block too short";
        return false;
    }
    uint8_t* p = block->data() + f.offset;
    switch (f.kind) {
        case FieldKind::Text: {
            if (text.size() > f.width - 1) {
                *error = "at most " + std::to_string(f.width - 1) + " bytes";
                return false;
            }
            if (text.find('\0') != std::string_view::npos) {
                *error = "a text cannot hold a zero byte";
                return false;
            }
            if (f.paddedText) {
                std::fill_n(p, f.width, uint8_t{0});
            }
            std::copy(text.begin(), text.end(), p);
            p[text.size()] = 0;
            return true;
        }
        case FieldKind::Number: {
            uint32_t v = 0;
            if (!ParseDecimal(text, &v) || v < f.min || v > f.max) {
                *error =
                    "an integer between " + std::to_string(f.min) + " and " + std::to_string(f.max);
                return false;
            }
            StoreNumber(p, f.width, v);
            return true;
        }
        case FieldKind::List: {
            const std::optional<uint32_t> wire = ListWire(f, text);
            if (!wire) {
                *error = "one of " + ItemsText(f);
                return false;
            }
            StoreNumber(p, f.width, *wire);
            return true;
        }
        case FieldKind::Address: {
            uint32_t a = 0;
            if (!ParseIpv4(text, &a)) {
                *error = "an IPv4 address like 192.168.1.50";
                return false;
            }
            StoreBE32(p, a);
            return true;
        }
        case FieldKind::KeyBytes: {
            if (text.size() != 2 * f.width ||
                !std::all_of(text.begin(), text.end(), [](char c) { return HexDigit(c) >= 0; })) {
                *error = "exactly " + std::to_string(2 * f.width) + " hexadecimal digits";
                return false;
            }
            for (std::size_t i = 0; i < f.width; ++i) {
                p[i] = static_cast<uint8_t>(HexDigit(text[2 * i]) * 16 + HexDigit(text[2 * i + 1]));
            }
            return true;
        }
        case FieldKind::Checksum:
            break;
    }
    *error = "computed, not entered";
    return false;
}

std::string DescribeField(const FieldSpec& f) {
    switch (f.kind) {
        case FieldKind::Text:
            return "text, at most " + std::to_string(f.width - 1) + " bytes";
        case FieldKind::Number:
            return "an integer between " + std::to_string(f.min) + " and " + std::to_string(f.max);
        case FieldKind::List:
            return "one of " + ItemsText(f);
        case FieldKind::Address:
            return "an IPv4 address";
        case FieldKind::KeyBytes:
            return std::to_string(2 * f.width) + " hexadecimal digits";
        case FieldKind::Checksum:
            break;
    }
    return "computed";
}

std::string ShowValue(const FieldSpec& f, const Bytes& block) {
    if (f.offset + f.width > block.size()) {
        return "?";
    }
    const uint8_t* p = block.data() + f.offset;
    switch (f.kind) {
        case FieldKind::Text:
            return Quoted(p, f.width);
        case FieldKind::Number:
            return std::to_string(LoadNumber(p, f.width));
        case FieldKind::List: {
            const uint32_t v = LoadNumber(p, f.width);
            const bool hasItem = v >= f.firstWire && v - f.firstWire < f.items.size();
            return std::to_string(v) + " (" +
                   (hasItem ? std::string(f.items[v - f.firstWire]) : std::string("no item")) + ")";
        }
        case FieldKind::Address:
            return FormatIpv4(LoadBE32(p));
        case FieldKind::KeyBytes:
            return HexOf(p, f.width);
        case FieldKind::Checksum: {
            char text[7];
            std::snprintf(text, sizeof text, "0x%04X", LoadBE16(p));
            return text;
        }
    }
    return "?";
}

void StampChecksum(const BlockFields& block, Bytes* bytes) {
    if (block.checksumAt && *block.checksumAt + 2 <= bytes->size()) {
        StampFrameCrc(bytes->data(), static_cast<uint16_t>(*block.checksumAt));
    }
}

void FinishBuiltBlock(const BlockFields& block, Bytes* bytes) {
    if (block.zeroedAt && *block.zeroedAt + 2 <= bytes->size()) {
        (*bytes)[*block.zeroedAt] = 0;
        (*bytes)[*block.zeroedAt + 1] = 0;
    }
    StampChecksum(block, bytes);
}

bool ChecksumValid(const BlockFields& block, const Bytes& bytes) {
    if (!block.checksumAt) {
        return true;
    }
    const std::size_t at = *block.checksumAt;
    if (at + 2 > bytes.size()) {
        return false;
    }
    uint8_t expected[2];
    StoreFrameCrc(expected, CalcFrameCrc(bytes.data(), static_cast<uint16_t>(at)));
    return expected[0] == bytes[at] && expected[1] == bytes[at + 1];
}

bool SameField(const FieldSpec& f, const Bytes& a, const Bytes& b) {
    return std::equal(a.begin() + static_cast<std::ptrdiff_t>(f.offset),
                      a.begin() + static_cast<std::ptrdiff_t>(f.offset + f.width),
                      b.begin() + static_cast<std::ptrdiff_t>(f.offset));
}

void CopyField(const FieldSpec& f, const Bytes& from, Bytes* to) {
    std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(f.offset), f.width,
                to->begin() + static_cast<std::ptrdiff_t>(f.offset));
}

bool CheckValue(const FieldSpec& f, const Bytes& block, std::string* reason) {
    if (f.offset + f.width > block.size()) {
        *reason = "the block is too short for it";
        return false;
    }
    const uint8_t* p = block.data() + f.offset;
    switch (f.kind) {
        case FieldKind::Text:
            if (std::find(p, p + f.width, uint8_t{0}) == p + f.width) {
                *reason = "a text of " + std::to_string(f.width) +
                          " bytes without its terminating zero byte (at most " +
                          std::to_string(f.width - 1) + " bytes)";
                return false;
            }
            return true;
        case FieldKind::Number: {
            const uint32_t v = LoadNumber(p, f.width);
            if (v < f.min || v > f.max) {
                *reason = std::to_string(v) + " is outside " + std::to_string(f.min) + " to " +
                          std::to_string(f.max);
                return false;
            }
            return true;
        }
        case FieldKind::List: {
            const uint32_t v = LoadNumber(p, f.width);
            if (v < f.firstWire || v - f.firstWire >= f.items.size()) {
                *reason = std::to_string(v) + " is not one of " + ItemsText(f);
                return false;
            }
            return true;
        }
        case FieldKind::Address:
        case FieldKind::KeyBytes:
        case FieldKind::Checksum:
            break;
    }
    return true;
}

}  // namespace varlo
