#include <gtest/gtest.h>

#include <stdexcept>

#include "discovery/DeviceFormat.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "testsupport/ScopedDeviceTable.h"
#include "testsupport/WireTest.h"

namespace varlo {
namespace {

using testing::HexArray;

_CONFIGPARAM Record(const std::string& hex) {
    return _CONFIGPARAM::FromBytes(HexArray<16>(hex));
}

TEST(DeviceType, NamesAndFamilies) {
    struct Case {
        const char* typeBytes;  // as received, little-endian
        const char* name;
        DeviceFamily family;
    };
    const Case cases[] = {
        {"80 00 51 11", "KV-70", DeviceFamily::SerialServer},
        {"50 53 00 80", "LUMA-AIR-MODULE", DeviceFamily::ArtNetModule},
        {"01 00 00 90", "LUMA-1", DeviceFamily::ArtNetNode},
        {"02 00 00 90", "LUMA-2", DeviceFamily::ArtNetNode},
        {"04 00 00 90", "LUMA-4", DeviceFamily::ArtNetNode},
        {"08 00 00 90", "LUMA-8", DeviceFamily::ArtNetNode},
        {"11 00 00 90", "LUMA-EX", DeviceFamily::ArtNetNode},
        {"90 00 00 01", nullptr, DeviceFamily::SerialServer},  // LUMA-1 in the wrong order
        {"03 00 00 90", nullptr, DeviceFamily::SerialServer},  // no family mask
        {"00 00 00 00", nullptr, DeviceFamily::SerialServer},
    };
    for (const Case& c : cases) {
        const _CONFIGPARAM r =
            Record(std::string(c.typeBytes) + " 00 00  00 00 00 00 00 00  00 00 00 00");
        const char* name = GetDeviceTypeName(r.dwType());
        if (c.name == nullptr) {
            EXPECT_EQ(name, nullptr) << c.typeBytes;
        } else {
            EXPECT_STREQ(name, c.name) << c.typeBytes;
        }
        EXPECT_EQ(GetDeviceFamily(r.dwType()), c.family) << c.typeBytes;
    }
}

TEST(DeviceTable, RecordFieldsAndFormats) {
    const _CONFIGPARAM r = Record("80 00 51 11 AB CD 00 1A 2B 00 00 07 C0 A8 01 3C");
    EXPECT_EQ(r.dwType(), 0x11510080u);
    EXPECT_EQ(FormatMacColon(r.byMac()), "00:1A:2B:00:00:07");
    EXPECT_EQ(FormatMacDash(r.byMac()), "00-1A-2B-00-00-07");
    EXPECT_EQ(FormatIp(r.dwIp()), "192.168.1.60");
    const DeviceIdentity id = r.Identity();
    EXPECT_EQ(id, HexArray<12>("80 00 51 11 AB CD 00 1A 2B 00 00 07"));
}

TEST(DeviceTable, CurrentDeviceMustIndexTheTable) {
    testing::ScopedDeviceTable restore;
    CConfigParamArray& table = g_arrConfigParam;
    table.RemoveAll();
    EXPECT_FALSE(CurrentDeviceIdentity());
    EXPECT_EQ(table.Add(Record("01 00 00 90 00 00 00 1A 2B 3C 4D 5E C0 A8 01 32")), 0u);
    EXPECT_EQ(table.Add(Record("01 00 00 90 00 00 00 1A 2B 3C 4D 5E C0 A8 01 32")), 1u);
    for (const int index : {-1, 2, 1000}) {
        g_nCurDevice = index;
        EXPECT_FALSE(CurrentDeviceIdentity()) << index;
    }
    g_nCurDevice = 1;
    EXPECT_TRUE(CurrentDeviceIdentity());
}

// A fixture a byte short cannot become a record: the hex helper refuses a lone digit, and a
// record is made only from exactly 16 bytes.
TEST(DeviceTable, FixturesMustHaveWholeBytesAndExactlySixteenOfThem) {
    EXPECT_THROW(testing::Hex("80 00 51 11 0"), std::invalid_argument);
    EXPECT_THROW(testing::Hex("80 0 0 51"), std::invalid_argument);
    EXPECT_THROW(testing::Hex("80 00 5G"), std::invalid_argument);
    EXPECT_EQ(testing::Hex("8000 5111"), (Bytes{0x80, 0x00, 0x51, 0x11}));
    EXPECT_THROW(Record("80 00 51 11 00 00 00 00 00 00 00 00 00 00 00"), std::invalid_argument);
}

}  // namespace
}  // namespace varlo
