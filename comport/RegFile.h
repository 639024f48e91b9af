#pragma once
// A registry tree read from a registry export file (".reg"), as regedit writes it: a header
// line, "[HKEY_LOCAL_MACHINE\...]" sections and "NAME"=... value lines. The stand-in platform
// reads the driver's parameters from one, so an operator can load a key exported from a real
// workstation.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace varlo {

struct RegValue {
    std::string name;           // "" is the key's default value (@)
    std::vector<uint8_t> data;  // the bytes the registry would hold
};

class CRegFile {
public:
    // Parses a whole export: UTF-8 (with or without byte order mark), 8-bit or UTF-16LE with its
    // byte order mark, CRLF or LF line ends. False, with nothing kept, when the header line is
    // missing. Malformed lines are skipped, each with a "line N: ..." message in *warnings.
    bool Parse(std::string_view bytes, std::vector<std::string>* warnings);

    // The values of the key at "ROOT\path\..." in file order, or null when the key does not
    // exist. Key names compare case-insensitively; a final backslash is ignored. A key exists
    // when it has a section or a descendant has one.
    const std::vector<RegValue>* FindKey(std::string_view path) const;

    std::size_t KeyCount() const { return m_keys.size(); }

private:
    std::map<std::string, std::vector<RegValue>> m_keys;  // by folded path
};

// Reads and parses a file. False with a reason in *error when it cannot be opened or read, or is
// not a registry export.
bool LoadRegFile(const std::string& path, CRegFile* out, std::string* error,
                 std::vector<std::string>* warnings);

}  // namespace varlo
