#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>

#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "testsupport/ScopedDeviceTable.h"

namespace varlo::ui {
namespace {

_CONFIGPARAM Record(uint32_t type, uint8_t last) {
    const uint8_t bytes[16] = {static_cast<uint8_t>(type),
                               static_cast<uint8_t>(type >> 8),
                               static_cast<uint8_t>(type >> 16),
                               static_cast<uint8_t>(type >> 24),
                               0,
                               0,
                               0x00,
                               0x1A,
                               0x2B,
                               0x3C,
                               0x4D,
                               last,
                               192,
                               168,
                               0,
                               last};
    return _CONFIGPARAM::FromBytes(bytes);
}

TEST(ConfigurationListCtrl, RowsMirrorTheTableAndAreNeverSorted) {
    CConfigurationListCtrl list;
    ASSERT_EQ(list.columnCount(), 5);
    const QStringList headings = {"No.", "Device Type", "MAC", "IP Address", "Status"};
    const int widths[] = {100, 150, 150, 150, 350};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(list.headerItem()->text(c), headings[c]);
        EXPECT_EQ(list.header()->sectionSize(c), widths[c]);
    }

    testing::ScopedDeviceTable restore;
    g_arrConfigParam.RemoveAll();
    g_arrConfigParam.Add(Record(DEVTYPE_LUMA_8, 9));
    g_arrConfigParam.Add(Record(0x01000090, 7));      // LUMA-1's bytes the wrong way round
    g_arrConfigParam.Add(Record(DEVTYPE_LUMA_8, 9));  // the same device twice: two rows
    list.RefreshDeviceList();
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.CellText(0, 1), "LUMA-8");
    EXPECT_EQ(list.CellText(0, 2), "00:1A:2B:3C:4D:09");
    EXPECT_EQ(list.CellText(0, 3), "192.168.0.9");
    EXPECT_EQ(list.CellText(1, 1), "");
    EXPECT_EQ(list.CellText(2, 0), "2");

    // A click on a heading does not reorder the rows.
    QTest::mouseClick(list.header()->viewport(), Qt::LeftButton, {},
                      QPoint(list.header()->sectionPosition(1) + 10, 5));
    EXPECT_EQ(list.CellText(0, 1), "LUMA-8");
    EXPECT_EQ(list.CellText(1, 0), "1");

    // A refresh after a search that found nothing empties the pane.
    g_arrConfigParam.RemoveAll();
    list.RefreshDeviceList();
    EXPECT_EQ(list.RowCount(), 0);
}

}  // namespace
}  // namespace varlo::ui
