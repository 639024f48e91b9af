#include "comport/RegFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "transport/ByteOrder.h"
#include "transport/HexText.h"

namespace varlo {

namespace {

const char* const kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT",
                              "HKEY_USERS", "HKEY_CURRENT_CONFIG"};

char FoldChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Fold(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = FoldChar(c);
    }
    return out;
}

bool EqualsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldChar(a[i]) != FoldChar(b[i])) {
            return false;
        }
    }
    return true;
}

// The key path as the tree stores it: folded, without final backslashes.
std::string KeyId(std::string_view path) {
    while (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return Fold(path);
}

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

void AppendUtf8(std::string* out, uint32_t cp) {
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// regedit writes version 5.00 exports in UTF-16LE; the tree keeps 8-bit text, as the
// reader's ANSI registry calls would return it.
std::string Utf16LeToUtf8(std::string_view b) {
    std::string out;
    out.reserve(b.size() / 2);
    const auto unit = [&](std::size_t i) {
        return static_cast<uint32_t>(static_cast<uint8_t>(b[i]) |
                                     (static_cast<uint8_t>(b[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
        uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < b.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;  // a lone surrogate
        }
        AppendUtf8(&out, cp);
    }
    return out;
}

// Reads a quoted text with regedit's escapes (\\ and \") starting at s[*pos] == '"'; leaves
// *pos after the closing quote. False when it is not closed.
bool ReadQuoted(std::string_view s, std::size_t* pos, std::string* out) {
    std::size_t i = *pos + 1;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\\' && i + 1 < s.size()) {
            out->push_back(s[i + 1]);
            i += 2;
        } else if (c == '"') {
            *pos = i + 1;
            return true;
        } else {
            out->push_back(c);
            ++i;
        }
    }
    return false;
}

bool StartsWithFolded(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && EqualsFolded(s.substr(0, prefix.size()), prefix);
}

// "hex:01,02" or "hex(7):41,00" (the type number is not kept). Blanks and the joins of
// continued lines are allowed between bytes.
bool ParseHexList(std::string_view s, std::vector<uint8_t>* out, const char** reason) {
    std::size_t colon = s.find(':');
    if (s.size() > 3 && s[3] == '(') {
        const std::size_t close = s.find(')');
        if (close == std::string_view::npos || close + 1 != colon || close == 4) {
            *reason = "bad hex type";
            return false;
        }
        for (std::size_t i = 4; i < close; ++i) {
            if (HexDigit(s[i]) < 0) {
                *reason = "bad hex type";
                return false;
            }
        }
    }
    std::string digits;
    for (char c : s.substr(colon + 1)) {
        if (c != ' ' && c != '\t') {
            digits.push_back(c);
        }
    }
    if (digits.empty()) {
        return true;
    }
    std::size_t i = 0;
    while (true) {
        const std::optional<uint8_t> byte =
            i + 2 <= digits.size() ? HexByte(digits[i], digits[i + 1]) : std::nullopt;
        if (!byte) {
            *reason = "bad hex byte";
            return false;
        }
        out->push_back(*byte);
        i += 2;
        if (i == digits.size()) {
            return true;
        }
        if (digits[i] != ',' || i + 1 == digits.size()) {
            *reason = "bad hex list";
            return false;
        }
        ++i;
    }
}

bool ParseValueLine(std::string_view s, RegValue* value, const char** reason) {
    std::size_t pos = 0;
    if (s[0] == '@') {
        pos = 1;
    } else if (!ReadQuoted(s, &pos, &value->name)) {
        *reason = "unterminated value name";
        return false;
    }
    std::string_view rest = Trim(s.substr(pos));
    if (rest.empty() || rest[0] != '=') {
        *reason = "missing '='";
        return false;
    }
    rest = Trim(rest.substr(1));
    if (rest == "-") {
        *reason = "value deletion ignored";
        return false;
    }
    if (!rest.empty() && rest[0] == '"') {
        std::string text;
        std::size_t end = 0;
        if (!ReadQuoted(rest, &end, &text) || end != rest.size()) {
            *reason = "bad text value";
            return false;
        }
        value->data.assign(text.begin(), text.end());
        value->data.push_back(0);  // a text value holds its terminator
        return true;
    }
    if (StartsWithFolded(rest, "dword:")) {
        const std::optional<uint32_t> v = ParseHexU32(rest.substr(6));
        if (!v) {
            *reason = "bad dword";
            return false;
        }
        value->data.resize(4);
        StoreLE32(value->data.data(), *v);  // REG_DWORD is little-endian
        return true;
    }
    if (StartsWithFolded(rest, "hex:") || StartsWithFolded(rest, "hex(")) {
        return ParseHexList(rest, &value->data, reason);
    }
    *reason = "unknown value type";
    return false;
}

}  // namespace

bool CRegFile::Parse(std::string_view bytes, std::vector<std::string>* warnings) {
    m_keys.clear();
    std::string text;
    if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
        static_cast<uint8_t>(bytes[1]) == 0xFE) {
        text = Utf16LeToUtf8(bytes.substr(2));
    } else if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0) {
        text.assign(bytes.substr(3));
    } else {
        text.assign(bytes);
    }

    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(std::string_view(text).substr(start, end - start));
        start = end + 1;
    }

    const auto warn = [&](std::size_t line, const char* reason, std::string_view content) {
        if (warnings != nullptr) {
            std::string shown(content.substr(0, 60));
            warnings->push_back("line " + std::to_string(line + 1) + ": " + reason + ": " + shown);
        }
    };

    bool header = false;
    std::vector<RegValue>* key = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (line.empty()) {
            continue;
        }
        if (!header) {
            if (line != "Windows Registry Editor Version 5.00" && line != "REGEDIT4") {
                m_keys.clear();
                return false;
            }
            header = true;
            continue;
        }
        if (line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            key = nullptr;
            if (line.back() != ']' || line.size() < 3) {
                warn(i, "bad section", line);
                continue;
            }
            const std::string_view path = line.substr(1, line.size() - 2);
            if (path[0] == '-') {
                warn(i, "key deletion ignored", line);
                continue;
            }
            const std::string_view root = path.substr(0, path.find('\\'));
            bool known = false;
            for (const char* r : kRoots) {
                known = known || root == r;
            }
            if (!known) {
                warn(i, "unknown root key", line);
                continue;
            }
            const std::string id = KeyId(path);
            for (std::size_t sep = id.find('\\'); sep != std::string::npos;
                 sep = id.find('\\', sep + 1)) {
                m_keys.try_emplace(id.substr(0, sep));
            }
            key = &m_keys[id];
            continue;
        }
        if (line[0] != '"' && line[0] != '@') {
            warn(i, "not a section or a value", line);
            continue;
        }
        // Binary values run on over lines that end with a backslash.
        std::string joined(line);
        const std::size_t first = i;
        while (joined.back() == '\\' && i + 1 < lines.size() &&
               joined.find("=hex") != std::string::npos) {
            joined.pop_back();
            joined += Trim(lines[++i]);
        }
        RegValue value;
        const char* reason = "";
        if (!ParseValueLine(joined, &value, &reason)) {
            warn(first, reason, line);
            continue;
        }
        if (key == nullptr) {
            warn(first, "value outside a key", line);
            continue;
        }
        bool replaced = false;
        for (RegValue& v : *key) {
            if (EqualsFolded(v.name, value.name)) {
                v.data = std::move(value.data);
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            key->push_back(std::move(value));
        }
    }
    if (!header) {
        m_keys.clear();
    }
    return header;
}

const std::vector<RegValue>* CRegFile::FindKey(std::string_view path) const {
    const auto it = m_keys.find(KeyId(path));
    return it == m_keys.end() ? nullptr : &it->second;
}

bool LoadRegFile(const std::string& path, CRegFile* out, std::string* error,
                 std::vector<std::string>* warnings) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        *error = "is a directory";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = std::strerror(errno);
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        *error = "read error";
        return false;
    }
    if (!out->Parse(bytes.str(), warnings)) {
        *error = "not a registry export (no \"Windows Registry Editor Version 5.00\" line)";
        return false;
    }
    return true;
}

}  // namespace varlo
