// The two-step write a front end with a preview uses, and the device list as CSV.
#include <gtest/gtest.h>

#include "configfiles/DeviceListCsv.h"
#include "configfiles/DevicePreview.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"

namespace varlo {
namespace {

TEST(DevicePreviewTest, DiffLinesSplitIntoFieldBeforeAndAfter) {
    const struct {
        const char* line;
        const char* field;
        const char* before;
        const char* after;
    } cases[] = {
        {"_ARTNETDMXPARAM.ports.0.universe: 16 -> 100", "_ARTNETDMXPARAM.ports.0.universe", "16",
         "100"},
        {"_BASICPARAM.deviceName: \"a -> b\" -> \"c\"", "_BASICPARAM.deviceName", "\"a -> b\"",
         "\"c\""},
        {"_BASICPARAM.deviceName: \"x\" -> \"y -> z\"", "_BASICPARAM.deviceName", "\"x\"",
         "\"y -> z\""},
        {"_ARTNETBASICPARAM.bytes.86-87: 0102 -> 0000", "_ARTNETBASICPARAM.bytes.86-87", "0102",
         "0000"},
    };
    for (const auto& c : cases) {
        const FieldChange change = SplitDiffLine(c.line);
        EXPECT_EQ(change.field, c.field) << c.line;
        EXPECT_EQ(change.before, c.before) << c.line;
        EXPECT_EQ(change.after, c.after) << c.line;
    }
}

TEST(DeviceListCsvTest, QuotesWhatASpreadsheetWouldSplit) {
    sim::SimDevice d =
        sim::MakeSimDevice(DEVTYPE_LUMA_4, {0, 0x1A, 0x2B, 0x3C, 0x4D, 0x04}, {192, 168, 1, 50});
    sim::InstallFactoryBlocks(d, 1);
    EXPECT_EQ(DeviceListCsvHeader(), "model,mac,ip,name,firmware\r\n");
    // Without blocks (a device that did not answer): what the search told.
    EXPECT_EQ(DeviceListCsvRow(d.record, {}), "LUMA-4,00:1A:2B:3C:4D:04,192.168.1.50,,\r\n");
}

}  // namespace
}  // namespace varlo
