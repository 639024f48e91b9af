#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "widgets/IpAddressCtrl.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {
namespace {

TEST(IpAddressCtrl, BlankReadsZeroAndTypedOctetsReadBack) {
    CIpAddressCtrl ip;
    EXPECT_TRUE(ip.IsBlank());
    EXPECT_EQ(ip.GetAddress(), 0u);
    QSignalSpy changed(&ip, &CIpAddressCtrl::addressChanged);
    const char* octets[] = {"192", "168", "1", "60"};
    for (int i = 0; i < 4; ++i) {
        QTest::keyClicks(ip.OctetEdit(i), octets[i]);
    }
    EXPECT_EQ(ip.GetAddress(), 0xC0A8013Cu);
    EXPECT_GT(changed.count(), 0);
    QTest::keyClicks(ip.OctetEdit(3), "9");  // "609" reads as the largest octet, never wraps
    EXPECT_EQ(ip.GetOctets()[3], 255);
    ip.SetAddress(0x0A000001);
    EXPECT_EQ(ip.OctetEdit(0)->text(), "10");
    ip.ClearAddress();
    EXPECT_TRUE(ip.IsBlank());
}

TEST(ReportListCtrl, RowsKeepInsertionOrderAndData) {
    CReportListCtrl list;
    list.SetColumns({{"No.", 50}, {"Name", 100}});
    EXPECT_EQ(list.AppendRow({"0", "b"}, 7), 0);
    EXPECT_EQ(list.AppendRow({"1", "a"}, 8), 1);
    EXPECT_EQ(list.InsertRow(99, {"2", "c"}), 2);
    EXPECT_EQ(list.CellText(1, 1), "a");
    EXPECT_EQ(list.RowData(0).toInt(), 7);
    EXPECT_EQ(list.SelectedRow(), -1);
    list.SelectRow(1);
    EXPECT_EQ(list.SelectedRow(), 1);
    list.DeleteAllRows();
    EXPECT_EQ(list.RowCount(), 0);
}

}  // namespace
}  // namespace varlo::ui
