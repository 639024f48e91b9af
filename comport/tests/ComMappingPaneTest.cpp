#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "comport/ComMappingListCtrl.h"
#include "comport/DlgNewCom.h"
#include "comport/SettingDlg.h"
#include "comport/tests/ComRegistryFixture.h"
#include "widgets/IpAddressCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {
namespace {

using varlo::testing::ComRegistryFixture;
using varlo::testing::kNodeSection;
using varlo::testing::kParamsSection;
using varlo::testing::kRegHeader;
using varlo::testing::kSerialMapSection;

// COM1, COM2 and COM12 mapped, COM3 disabled with its device node, COM4 disabled without one
// (free), COM5 another device's port.
std::string Registry() {
    return std::string(kRegHeader) + kParamsSection +
           "COM12]\n\"IP\"=dword:0100000a\n\"PORT\"=dword:00000009\n\n" + kParamsSection +
           "COM1]\n\"IP\"=dword:0a01a8c0\n\"PORT\"=dword:00000001\n"
           "\"KEEPALIVE\"=dword:0000001e\n\n" +
           kParamsSection +
           "COM2]\n\"IP\"=dword:0b01a8c0\n\"PORT\"=dword:00000003\n"
           "\"DISABLE\"=dword:00000000\n\n" +
           kParamsSection +
           "COM3]\n\"IP\"=dword:0500000a\n\"PORT\"=dword:00000007\n"
           "\"DISABLE\"=dword:00000001\n\n" +
           kNodeSection + "COM3]\n\n" + kParamsSection + "COM4]\n\"DISABLE\"=dword:00000001\n\n" +
           kSerialMapSection + "\"\\\\Device\\\\Serial0\"=\"COM5\"\n";
}

QStringList Row(const CReportListCtrl& list, int row) {
    return {list.CellText(row, 0), list.CellText(row, 1), list.CellText(row, 2)};
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void TypeAddress(CIpAddressCtrl* ip, const QString& dotted) {
    const QStringList octets = dotted.split('.');
    for (int i = 0; i < 4; ++i) {
        Retype(ip->OctetEdit(i), octets[i]);
    }
}

// Drives the pane's dialogs with a script instead of a modal loop.
class PaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
    }
    void TearDown() override { SetMessageBoxHandler({}); }

    template <typename Dialog>
    void Script(CComMappingListCtrl& pane, std::function<void(Dialog&)> script) {
        pane.SetDialogRunner([this, script](QDialog& d) {
            ++dialogsRun;
            auto* dialog = dynamic_cast<Dialog*>(&d);
            EXPECT_NE(dialog, nullptr) << "another dialog opened";
            if (dialog != nullptr) {
                dialog->show();
                script(*dialog);
            }
            return d.result();
        });
    }

    QStringList messages;
    int dialogsRun = 0;
};

TEST_F(PaneTest, ListsMappedAndDisabledPortsInComOrder) {
    ComRegistryFixture registry(Registry());
    CComMappingListCtrl pane;

    ASSERT_EQ(pane.RowCount(), 4);
    EXPECT_EQ(Row(pane, 0), QStringList({"COM1", "192.168.1.10", "1"}));
    EXPECT_EQ(Row(pane, 1), QStringList({"COM2", "192.168.1.11", "3"}));
    EXPECT_EQ(Row(pane, 2), QStringList({"COM3", "10.0.0.5", "7"}));
    EXPECT_EQ(Row(pane, 3), QStringList({"COM12", "10.0.0.1", "9"}));
    const int images[] = {2, 2, 0, 2};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(pane.RowImage(row), images[row]) << row;
        EXPECT_FALSE(pane.topLevelItem(row)->icon(0).isNull());
    }
    EXPECT_EQ(pane.RowEntry(3), &pane.Entry(11));
    EXPECT_EQ(pane.LastRow(), 3);
    EXPECT_EQ(pane.SelectedRow(), 0);

    EXPECT_EQ(pane.Entry(0).nKeepAlive, 30);
    EXPECT_EQ(pane.Entry(3).nState, -4);  // disabled without node: free, no row
    EXPECT_EQ(pane.Entry(4).nState, -3);
    EXPECT_EQ(pane.Entry(1023).nCom, 1024);
    EXPECT_EQ(pane.headerItem()->text(2), "Port Index");
    EXPECT_EQ(pane.header()->sectionSize(1), 300);
}

TEST_F(PaneTest, ConfirmingAnUnchangedMappingMarksNothingAndAChangeRewritesTheRow) {
    ComRegistryFixture registry(Registry());
    CComMappingListCtrl pane;
    pane.SelectRow(1);
    Script<CSettingDlg>(pane, [](CSettingDlg& d) {
        EXPECT_EQ(d.windowTitle(), "设置");
        EXPECT_EQ(d.ComText()->text(), "COM2");
        EXPECT_TRUE(d.ComText()->isReadOnly());
        EXPECT_EQ(d.AddressCtrl()->GetAddress(), 0xC0A8010Bu);
        EXPECT_EQ(d.PortIndexEdit()->text(), "3");
        ASSERT_TRUE(d.OkButton()->isEnabled());
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    });
    pane.EditComMapping();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(pane.Entry(1).bModified, 0);
    EXPECT_EQ(Row(pane, 1), QStringList({"COM2", "192.168.1.11", "3"}));

    Script<CSettingDlg>(pane, [](CSettingDlg& d) {
        TypeAddress(d.AddressCtrl(), "192.168.2.11");
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    });
    pane.EditComMapping();
    EXPECT_EQ(pane.Entry(1).bModified, 1);
    EXPECT_EQ(ComIpText(pane.Entry(1).dwIP), "192.168.2.11");
    EXPECT_EQ(Row(pane, 1), QStringList({"COM2", "192.168.2.11", "3"}));

    // Cancel changes nothing, whatever was typed.
    Script<CSettingDlg>(pane, [](CSettingDlg& d) {
        Retype(d.PortIndexEdit(), "5");
        QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
    });
    pane.EditComMapping();
    EXPECT_EQ(pane.Entry(1).nPort, 3);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PaneTest, ADisabledMappingOpensEmptyAndOkFollowsTheFields) {
    ComRegistryFixture registry(Registry());
    CComMappingListCtrl pane;
    pane.SelectRow(2);
    Script<CSettingDlg>(pane, [](CSettingDlg& d) {
        EXPECT_EQ(d.ComText()->text(), "COM3");
        EXPECT_TRUE(d.AddressCtrl()->IsBlank());
        EXPECT_TRUE(d.PortIndexEdit()->text().isEmpty());
        EXPECT_FALSE(d.OkButton()->isEnabled());
        QTest::keyClicks(d.PortIndexEdit(), "2");
        EXPECT_FALSE(d.OkButton()->isEnabled());  // address still 0.0.0.0
        TypeAddress(d.AddressCtrl(), "10.0.0.6");
        EXPECT_TRUE(d.OkButton()->isEnabled());
        Retype(d.PortIndexEdit(), "");
        EXPECT_FALSE(d.OkButton()->isEnabled());
        QTest::keyClicks(d.PortIndexEdit(), "2");
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    });
    pane.EditComMapping();
    EXPECT_EQ(pane.Entry(2).bModified, 1);
    EXPECT_EQ(Row(pane, 2), QStringList({"COM3", "10.0.0.6", "2"}));
    EXPECT_EQ(pane.Entry(2).nState, -2);  // never updated after loading
}

TEST_F(PaneTest, PortIndexCheck) {
    ComRegistryFixture registry(Registry());
    struct Case {
        const char* text;
        int stored;  // -1000: refused
    };
    const Case cases[] = {{"256", 256}, {"0", 0},      {"257", -1000},        {"-1", -1000},
                          {"abc", 0},   {" +12x", 12}, {"99999999999", -1000}};
    for (const Case& c : cases) {
        CComMappingListCtrl pane;
        messages.clear();
        bool stayedOpen = false;
        Script<CSettingDlg>(pane, [&](CSettingDlg& d) {
            Retype(d.PortIndexEdit(), c.text);
            QTest::mouseClick(d.OkButton(), Qt::LeftButton);
            stayedOpen = d.isVisible() && d.result() != QDialog::Accepted;
            if (stayedOpen) {
                EXPECT_EQ(d.PortIndexEdit()->text(), c.text);  // contents kept
                QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
            }
        });
        pane.EditComMapping();
        if (c.stored == -1000) {
            EXPECT_TRUE(stayedOpen) << c.text;
            EXPECT_EQ(messages, QStringList({"无效的端口ID"})) << c.text;
            EXPECT_EQ(pane.Entry(0).nPort, 1) << c.text;
        } else {
            EXPECT_FALSE(stayedOpen) << c.text;
            EXPECT_TRUE(messages.isEmpty()) << c.text;
            EXPECT_EQ(pane.Entry(0).nPort, c.stored) << c.text;
            EXPECT_EQ(pane.CellText(0, 2), QString::number(c.stored)) << c.text;
        }
    }
}

TEST_F(PaneTest, AddOffersFreeNumbersInOrderAndAppendsTheRow) {
    ComRegistryFixture registry(Registry());
    CComMappingListCtrl pane;
    Script<CDlgNewCom>(pane, [](CDlgNewCom& d) {
        QComboBox* combo = d.ComCombo();
        ASSERT_EQ(combo->count(), 1024 - 5);
        const QStringList first = {"COM4", "COM6",  "COM7",  "COM8",
                                   "COM9", "COM10", "COM11", "COM13"};
        for (int i = 0; i < first.size(); ++i) {
            EXPECT_EQ(combo->itemText(i), first[i]);
        }
        EXPECT_EQ(combo->itemData(5).toInt(), 9);
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(d.PortIndexEdit()->text(), "1");
        EXPECT_FALSE(d.OkButton()->isEnabled());
        TypeAddress(d.AddressCtrl(), "172.16.0.9");
        EXPECT_TRUE(d.OkButton()->isEnabled());

        // Text typed into the combo's field is no selection, unless it is an item's text.
        QTest::keyClicks(combo->lineEdit(), "x");
        EXPECT_FALSE(d.OkButton()->isEnabled());
        combo->setCurrentIndex(5);
        EXPECT_TRUE(d.OkButton()->isEnabled());
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    });
    pane.AddComMapping();
    ASSERT_EQ(pane.RowCount(), 5);
    EXPECT_EQ(Row(pane, 4), QStringList({"COM10", "172.16.0.9", "1"}));
    EXPECT_EQ(pane.LastRow(), 4);
    EXPECT_EQ(pane.RowImage(4), 2);
    EXPECT_EQ(pane.RowEntry(4), &pane.Entry(9));
    EXPECT_EQ(pane.Entry(9).bModified, 1);
    EXPECT_EQ(pane.Entry(9).nState, -4);

    // Changing an added mapping takes the fields as they are.
    pane.SelectRow(4);
    Script<CSettingDlg>(pane, [](CSettingDlg& d) {
        EXPECT_TRUE(d.AddressCtrl()->IsBlank());
        TypeAddress(d.AddressCtrl(), "172.16.0.9");
        QTest::keyClicks(d.PortIndexEdit(), "1");
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    });
    pane.EditComMapping();
    EXPECT_EQ(Row(pane, 4), QStringList({"COM10", "172.16.0.9", "1"}));
}

TEST_F(PaneTest, DoubleClickChangesARowAndAddsElsewhere) {
    ComRegistryFixture registry(Registry());
    CComMappingListCtrl pane;
    pane.resize(760, 400);
    pane.show();
    QString opened;
    pane.SetDialogRunner([&](QDialog& d) {
        opened = dynamic_cast<CSettingDlg*>(&d) ? "change" : "add";
        return int(QDialog::Rejected);
    });
    const QRect second = pane.visualItemRect(pane.topLevelItem(1));
    QTest::mouseDClick(pane.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(opened, "change");
    EXPECT_EQ(pane.SelectedRow(), 1);

    const QRect last = pane.visualItemRect(pane.topLevelItem(3));
    QTest::mouseDClick(pane.viewport(), Qt::LeftButton, {}, last.center() + QPoint(0, 60));
    EXPECT_EQ(opened, "add");
    EXPECT_EQ(pane.RowCount(), 4);
}

// Adding a COM number twice appends a second row bound to the same entry: both rows show the
// entry as it is now, and rows changed here are marked as not saved to the driver.
TEST_F(PaneTest, RowsOfOneEntryAgreeAndChangedRowsAreMarkedUnsaved) {
    ComRegistryFixture registry(Registry());
    CComMappingListCtrl pane;
    auto add = [&](const QString& ip, const QString& port) {
        Script<CDlgNewCom>(pane, [=](CDlgNewCom& d) {
            d.ComCombo()->setCurrentIndex(5);  // COM10, free in the registry each time
            TypeAddress(d.AddressCtrl(), ip);
            Retype(d.PortIndexEdit(), port);
            QTest::mouseClick(d.OkButton(), Qt::LeftButton);
        });
        pane.AddComMapping();
    };
    auto modify = [&](int row, const QString& ip, const QString& port) {
        pane.SelectRow(row);
        Script<CSettingDlg>(pane, [=](CSettingDlg& d) {
            TypeAddress(d.AddressCtrl(), ip);
            Retype(d.PortIndexEdit(), port);
            QTest::mouseClick(d.OkButton(), Qt::LeftButton);
        });
        pane.EditComMapping();
    };
    add("172.16.0.9", "1");
    add("172.16.0.10", "2");
    ASSERT_EQ(pane.RowCount(), 6);
    EXPECT_EQ(pane.RowEntry(4), pane.RowEntry(5));
    EXPECT_EQ(Row(pane, 4), QStringList({"COM10", "172.16.0.10", "2"}));
    EXPECT_EQ(Row(pane, 5), QStringList({"COM10", "172.16.0.10", "2"}));

    modify(4, "172.16.0.11", "3");
    EXPECT_EQ(Row(pane, 4), QStringList({"COM10", "172.16.0.11", "3"}));
    EXPECT_EQ(Row(pane, 5), QStringList({"COM10", "172.16.0.11", "3"}));
    modify(0, "192.168.1.20", "1");
    EXPECT_EQ(Row(pane, 0), QStringList({"COM1", "192.168.1.20", "1"}));

    // Rows 0, 4 and 5 were changed or added here; rows 1 to 3 are as the driver has them.
    const QIcon::Mode mode = QIcon::Normal;
    const QImage mapped = pane.topLevelItem(1)->icon(0).pixmap(12, mode).toImage();
    for (int row = 0; row < pane.RowCount(); ++row) {
        const QTreeWidgetItem* item = pane.topLevelItem(row);
        const bool unsaved = row == 0 || row >= 4;
        EXPECT_EQ(pane.RowEntry(row)->bModified, unsaved ? 1 : 0) << row;
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(item->toolTip(column), unsaved ? CComMappingListCtrl::UnsavedNote() : "")
                << row;
            EXPECT_EQ(item->statusTip(column), item->toolTip(column)) << row;
            EXPECT_EQ(item->font(column).italic(), unsaved) << row;
        }
        if (row != 2) {  // row 2 is a disabled mapping: an icon of its own
            EXPECT_EQ(item->icon(0).pixmap(12, mode).toImage() == mapped, !unsaved) << row;
        }
        EXPECT_EQ(pane.RowImage(row), row == 2 ? 0 : 2) << row;
    }
}

TEST_F(PaneTest, WithoutTheDriverThePaneIsEmptyAndNothingCanBeAdded) {
    ComRegistryFixture registry(Registry(), /*driverPresent=*/false);
    CComMappingListCtrl pane;
    EXPECT_EQ(pane.RowCount(), 0);
    EXPECT_EQ(pane.Entry(0).nState, -1);

    pane.EditComMapping();  // no selected row: nothing opens
    EXPECT_EQ(dialogsRun, 0);

    Script<CDlgNewCom>(pane, [](CDlgNewCom& d) {
        EXPECT_EQ(d.ComCombo()->count(), 0);
        TypeAddress(d.AddressCtrl(), "10.0.0.1");
        EXPECT_FALSE(d.OkButton()->isEnabled());
        QTest::keyClicks(d.ComCombo()->lineEdit(), "COM7");
        EXPECT_FALSE(d.OkButton()->isEnabled());
        QTest::keyClick(d.PortIndexEdit(), Qt::Key_Return);  // the default button stays off
    });
    pane.AddComMapping();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(pane.RowCount(), 0);
}

}  // namespace
}  // namespace varlo::ui
