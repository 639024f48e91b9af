#include <gtest/gtest.h>

#include "comport/RegFile.h"

namespace varlo {
namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> b) {
    return std::vector<uint8_t>(b.begin(), b.end());
}

const std::vector<uint8_t>* Data(const CRegFile& f, std::string_view key, std::string_view name) {
    const std::vector<RegValue>* values = f.FindKey(key);
    if (values == nullptr) {
        return nullptr;
    }
    for (const RegValue& v : *values) {
        if (v.name == name) {
            return &v.data;
        }
    }
    return nullptr;
}

// As regedit exports a key on a workstation, with an operator's notes and some damage.
const char kExport[] =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; exported from the bench PC\r\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\TUNCOM\\Parameters\\COM3]\r\n"
    "\"IP\"=dword:3201a8c0\r\n"
    "\"PORT\"=dword:1\r\n"
    "\"BAD1\"=dword:123456789\r\n"  // nine digits
    "\"BAD2\"=dword:12g4\r\n"
    "\"BAD3\"=qword:01\r\n"
    "\"BAD4\"=\"unterminated\r\n"
    "\"BAD5\"=hex:1,02\r\n"
    "\"BAD6\"\r\n"
    "\"Old\"=-\r\n"
    "garbage line\r\n"
    "  \t \r\n"
    "\"Note\"=\"say \\\"hi\\\" C:\\\\tmp\"\r\n"
    "@=\"default\"\r\n"
    "\"Blob\"=hex(3):01,02,\\\r\n"
    "  03,04\r\n"
    "\"port\"=dword:00000002\r\n"  // names are case-insensitive: replaces PORT
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM\r\n"
    "\"Orphan\"=\"COM9\"\r\n"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone]\r\n"
    "[HKEY_NOWHERE\\X]\r\n"
    "[HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM]\r\n"
    "\"\\\\Device\\\\Serial0\"=\"COM1\"\r\n"
    "\"\xC3\xA9\"=hex:\r\n";

TEST(RegFile, ReadsARealLookingExportAndSkipsWhatIsMalformed) {
    CRegFile f;
    std::vector<std::string> warnings;
    ASSERT_TRUE(f.Parse(kExport, &warnings));

    const std::string com3 =
        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\TUNCOM\\Parameters\\COM3";
    ASSERT_NE(f.FindKey(com3), nullptr);
    EXPECT_EQ(*Data(f, com3, "IP"), Bytes({0xC0, 0xA8, 0x01, 0x32}));
    EXPECT_EQ(*Data(f, com3, "PORT"), Bytes({2, 0, 0, 0}));
    EXPECT_EQ(Data(f, com3, "port"), nullptr);  // kept under its first spelling
    EXPECT_EQ(*Data(f, com3, "Note"),
              std::vector<uint8_t>(
                  {'s', 'a', 'y', ' ', '"', 'h', 'i', '"', ' ', 'C', ':', '\\', 't', 'm', 'p', 0}));
    EXPECT_EQ(*Data(f, com3, ""), std::vector<uint8_t>({'d', 'e', 'f', 'a', 'u', 'l', 't', 0}));
    EXPECT_EQ(*Data(f, com3, "Blob"), Bytes({1, 2, 3, 4}));
    EXPECT_EQ(f.FindKey(com3)->size(), 5u);  // IP, PORT, Note, default, Blob

    // Key names are case-insensitive, a final backslash is allowed, ancestors exist.
    EXPECT_EQ(f.FindKey("hkey_local_machine\\system\\currentcontrolset\\services\\tuncom\\"
                        "parameters\\com3\\"),
              f.FindKey(com3));
    EXPECT_NE(f.FindKey("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet"), nullptr);
    EXPECT_EQ(f.FindKey(com3 + "\\Sub"), nullptr);
    EXPECT_EQ(f.FindKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone"), nullptr);

    const std::string map = "HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM";
    ASSERT_NE(f.FindKey(map), nullptr);
    ASSERT_EQ(f.FindKey(map)->size(), 2u);  // the orphan value under the broken section is gone
    EXPECT_EQ(f.FindKey(map)->at(0).name, "\\Device\\Serial0");
    EXPECT_EQ(*Data(f, map, "\xC3\xA9"), Bytes({}));

    const char* expectedLines[] = {
        "line 7:",  "line 8:",  "line 9:",  "line 10:", "line 11:", "line 12:",
        "line 13:", "line 14:", "line 22:", "line 23:", "line 24:", "line 25:"};
    ASSERT_EQ(warnings.size(), std::size(expectedLines));
    for (std::size_t i = 0; i < warnings.size(); ++i) {
        EXPECT_EQ(warnings[i].rfind(expectedLines[i], 0), 0u) << warnings[i];
    }
}

TEST(RegFile, ReadsUtf16ExportsAndRefusesTextWithoutHeader) {
    const std::string utf8 =
        "Windows Registry Editor Version "
        "5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"N\xC3\xA9\"=\"COM1\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\xC3') {  // U+00E9 is one UTF-16 unit
            utf16 += std::string("\xE9\x00", 2);
            ++i;
            continue;
        }
        utf16 += utf8[i];
        utf16 += '\0';
    }
    CRegFile f;
    ASSERT_TRUE(f.Parse(utf16, nullptr));
    EXPECT_EQ(*Data(f, "HKEY_LOCAL_MACHINE\\A", "N\xC3\xA9"), Bytes({'C', 'O', 'M', '1', 0}));

    EXPECT_TRUE(f.Parse("\xEF\xBB\xBFREGEDIT4\n[HKEY_USERS\\B]\n", nullptr));
    EXPECT_NE(f.FindKey("HKEY_USERS\\B"), nullptr);

    for (const char* text :
         {"", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=dword:1\n", "\x01\xFF\xFE garbage"}) {
        EXPECT_FALSE(f.Parse(text, nullptr)) << text;
        EXPECT_EQ(f.KeyCount(), 0u);
    }
}

TEST(RegFile, LoadReportsWhyAFileCannotBeRead) {
    CRegFile f;
    std::string error;
    EXPECT_FALSE(LoadRegFile("/nonexistent/varlo.reg", &f, &error, nullptr));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(LoadRegFile(".", &f, &error, nullptr));
    EXPECT_EQ(error, "is a directory");
}

}  // namespace
}  // namespace varlo
