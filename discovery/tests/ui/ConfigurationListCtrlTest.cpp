#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "testsupport/ScopedDeviceTable.h"
#include "widgets/VarloMessageBox.h"

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

// The Config action with a stand-in dialog that notes what it was opened for and closes itself.
class ConfigAction : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        list.SetParamDialogFactory([this](uint32_t type, QWidget* parent) {
            opened.push_back({type, g_nCurDevice});
            auto dialog = std::make_unique<QDialog>(parent);
            QTimer::singleShot(0, dialog.get(), &QDialog::accept);
            return dialog;
        });
    }
    void TearDown() override {
        SetMessageBoxHandler({});
        g_arrConfigParam.RemoveAll();
        g_nCurDevice = 0;
    }
    void Fill(int rows) {
        g_arrConfigParam.RemoveAll();
        for (int i = 0; i < rows; ++i) {
            g_arrConfigParam.Add(
                Record(i % 2 ? uint32_t{DEVTYPE_LUMA_4} : 0x12345678u, static_cast<uint8_t>(i)));
        }
        list.RefreshDeviceList();
    }

    CConfigurationListCtrl list;
    QStringList messages;
    std::vector<std::pair<uint32_t, int>> opened;  // type, g_nCurDevice
};

TEST_F(ConfigAction, OpensTheDialogOfTheSelectedRowsTypeAndRebuildsTheRows) {
    Fill(3);
    list.ConfigCurrentDevice();  // no selection: nothing
    EXPECT_TRUE(opened.empty());

    list.SelectRow(1);
    list.ConfigCurrentDevice();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], std::make_pair(uint32_t{DEVTYPE_LUMA_4}, 1));
    EXPECT_EQ(list.SelectedRow(), -1);  // rebuilt: the selection is gone
    EXPECT_EQ(list.RowCount(), 3);

    // A type outside the table reaches the factory as it is (it opens the serial-server dialog).
    list.SelectRow(2);
    list.ConfigCurrentDevice();
    EXPECT_EQ(opened.back(), std::make_pair(uint32_t{0x12345678}, 2));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ConfigAction, MoreThan300RowsGiveTheBroadcastStormMessageInstead) {
    Fill(300);
    list.SelectRow(299);
    list.ConfigCurrentDevice();
    EXPECT_EQ(opened.size(), 1u);

    Fill(301);
    list.SelectRow(5);
    list.ConfigCurrentDevice();
    EXPECT_EQ(opened.size(), 1u);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("可能产生广播风暴，请断开有线网络再试！！！"));
    EXPECT_EQ(g_nCurDevice, 5);
    EXPECT_EQ(list.SelectedRow(), 5);  // not rebuilt
}

TEST_F(ConfigAction, DoubleClickAndEnterOnARowConfigureIt) {
    Fill(4);
    list.resize(800, 300);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const QRect row2 = list.visualItemRect(list.topLevelItem(2));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row2.center());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].second, 2);

    // Below the last row nothing is selected after the list's own handling: nothing opens.
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, 280));
    EXPECT_EQ(opened.size(), 1u);

    list.SelectRow(3);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Return);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].second, 3);
}

}  // namespace
}  // namespace varlo::ui
