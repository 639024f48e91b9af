// The conversions between WEP key bytes and key-field texts, and the decimal fields of the
// operating-mode page.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "serialserver/WepKeyText.h"
#include "transport/DecimalText.h"

namespace varlo::serialserver {
namespace {

using Key = std::vector<uint8_t>;

struct FormatCase {
    uint32_t format;
    Key key;
    int result;
    const char* text;  // nullptr: nothing written
};

TEST(WepKeyText, FormatKeyStringRendersAsciiEscapedAndHexLowerCase) {
    const FormatCase cases[] = {
        {kKeyFormatAscii, {'1', '2', '3', '4', '5'}, 5, "12345"},
        {kKeyFormatAscii, {'a', '"', 'b', '\\', 'c'}, 5, "a\\\"b\\\\c"},
        {kKeyFormatAscii, {'a', 'b', 0, 'c', 'd'}, 5, "ab"},  // visible up to the first zero
        {kKeyFormatAscii, {0, 'x', 'y', 'z', 'w'}, 5, ""},
        {kKeyFormatAscii, {'a', 'b', 0x80, 'c', 'd'}, 2, nullptr},
        {kKeyFormatAscii, {0xFF, 'b', 'c', 'd', 'e'}, 0, nullptr},
        {kKeyFormatAscii, {'a', 0, 'c', 'd', 0xC3}, 4, nullptr},  // even behind a zero byte
        {kKeyFormatHex, {0x00, 0xAB, 0x7F, 0x80, 0xFF}, 5, "00ab7f80ff"},
        {kKeyFormatHex, Key(13, 0x5C), 13, "5c5c5c5c5c5c5c5c5c5c5c5c5c"},
        {2, {'1', '2', '3', '4', '5'}, -1, nullptr},
        {0xFFFFFFFF, {'1', '2', '3', '4', '5'}, -1, nullptr},
    };
    for (const FormatCase& c : cases) {
        std::string text = "untouched";
        EXPECT_EQ(FormatKeyString(c.format, c.key, &text), c.result) << c.format;
        EXPECT_EQ(text, c.text ? c.text : "untouched") << c.format;
    }
}

struct ParseCase {
    const char* text;
    std::size_t digits;
    bool ok;
    Key bytes;  // the output, which starts as 0xEE bytes
};

TEST(WepKeyText, ParseHexKeyStopsAtTheFirstBadPairKeepingWhatItConverted) {
    const ParseCase cases[] = {
        {"0123456789", 10, true, {0x01, 0x23, 0x45, 0x67, 0x89}},
        {"AbCdEf09aF", 10, true, {0xAB, 0xCD, 0xEF, 0x09, 0xAF}},
        {"abcdef09af", 10, true, {0xAB, 0xCD, 0xEF, 0x09, 0xAF}},
        {"0102zz0405", 10, false, {0x01, 0x02, 0xEE, 0xEE, 0xEE}},
        {"01020g0405", 10, false, {0x01, 0x02, 0xEE, 0xEE, 0xEE}},
        {"0102", 10, false, {0x01, 0x02, 0xEE, 0xEE, 0xEE}},       // fails at its end
        {"010203040", 10, false, {0x01, 0x02, 0x03, 0x04, 0xEE}},  // an odd last digit
        {"0102030405060708", 10, true, {0x01, 0x02, 0x03, 0x04, 0x05}},
        {"", 10, false, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}},
        {" 102030405", 10, false, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}},
        {"\xB0\xB1", 10, false, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}},
        {"ffff", 4, true, {0xFF, 0xFF, 0xEE, 0xEE, 0xEE}},
    };
    for (const ParseCase& c : cases) {
        Key out(5, 0xEE);
        EXPECT_EQ(ParseHexKey(c.text, out, c.digits), c.ok) << c.text;
        EXPECT_EQ(out, c.bytes) << c.text;
    }

    Key key(13, 0);
    EXPECT_TRUE(ParseHexKey("000102030405060708090a0b0c", key, 26));
    EXPECT_EQ(key, (Key{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST(WepKeyText, UnescapingUndoesWhatRenderingAdds) {
    EXPECT_EQ(UnescapeKeyText("a\\\\b"), "a\\b");
    EXPECT_EQ(UnescapeKeyText("\\\"q\\\""), "\"q\"");
    EXPECT_EQ(UnescapeKeyText("\\x\\"), "\\x\\");  // other backslashes stay as typed
    EXPECT_EQ(UnescapeKeyText("\\\\\\"), "\\\\");

    // Every byte below 0x80 survives rendering and unescaping, wherever it stands.
    Key key;
    for (int b = 1; b < 0x80; ++b) {
        key.push_back(static_cast<uint8_t>(b));
    }
    key.push_back('\\');
    std::string text;
    ASSERT_EQ(FormatKeyString(kKeyFormatAscii, key, &text), static_cast<int>(key.size()));
    const std::string back = UnescapeKeyText(text);
    EXPECT_EQ(Key(back.begin(), back.end()), key);
}

TEST(DecimalText, LeadingNumberWithBlanksAndSignTheRestIgnored) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"120", 120},
        {"", 0},
        {"5 abc", 5},
        {"-1", -1},
        {"  +42x", 42},
        {"\t7", 7},
        {"abc", 0},
        {"- 5", 0},
        {"65536", 65536},
        {"70000", 70000},
        {"4294967295", INT32_MAX},  // beyond 32 bits: the nearest value, not a wrap-around
        {"99999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-99999999999", INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseLeadingDecimal(c.text), c.value) << c.text;
    }
    EXPECT_EQ(FormatDecimal(-1), "-1");
    EXPECT_EQ(FormatDecimal(65535), "65535");
}

}  // namespace
}  // namespace varlo::serialserver
