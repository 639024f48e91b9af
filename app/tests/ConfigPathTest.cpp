// The everyday path from a search to a configured device, through the real main window against
// the demo rig in the simulator: Search, pick a row, Config, edit, OK, and see the change on the
// device and in the next dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "app/MainFrame.h"
#include "app/VarloView.h"
#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/ArtNetOptionsDlg.h"
#include "artnet/DmxPortSettingDlg.h"
#include "artnet/Rt5350BasicParam.h"
#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "discovery/SearchDlg.h"
#include "serialserver/BasicParam.h"
#include "serialserver/BasicSettingDlg.h"
#include "serialserver/OptionsDlg.h"
#include "sim/Rig.h"
#include "testsupport/WireTest.h"

namespace varlo::ui {
namespace {

// Types as an operator does: each key goes to whichever field has the focus at that moment.
void Type(QWidget& window, const QString& text) {
    for (const QChar c : text) {
        QTest::keyClick(window.focusWidget(), c.toLatin1());
    }
}

class ConfigPathTest : public testing::SimulatorTest {
protected:
    void SetUp() override {
        sim::Rig rig = sim::DemoRig();
        rigSize = static_cast<int>(rig.devices.size());
        sim::SimOptions options;
        options.searchDelayMinMs = options.searchDelayMaxMs = 10;
        StartSimulator(std::move(rig), 10, options);
        frame = std::make_unique<CMainFrame>();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override {
        frame.reset();
        SimulatorTest::TearDown();
    }

    QAction* Action(const char* name) const {
        return frame->findChild<QAction*>(QLatin1String(name));
    }
    QToolButton* Button(const char* action) const {
        return qobject_cast<QToolButton*>(frame->ToolBar()->widgetForAction(Action(action)));
    }
    CConfigurationListCtrl* DeviceList() const { return frame->FindView()->DeviceList(); }

    // Search, stopped as soon as every device of the rig is listed.
    void Search() {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dlg = qobject_cast<CSearchDlg*>(QApplication::activeModalWidget());
            if (dlg && dlg->isVisible() && dlg->ResultList()->RowCount() >= rigSize) {
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("Stop")),
                                  Qt::LeftButton);
            }
        });
        poll.start(10);
        QTest::mouseClick(Button("BroadcastSearch"), Qt::LeftButton);
    }
    int RowOf(uint32_t type) const {
        for (std::size_t i = 0; i < g_arrConfigParam.GetSize(); ++i) {
            if (g_arrConfigParam[i].dwType() == type) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // Clicks Config with row selected; `operate` runs on the dialog once it is shown and must
    // close it. Returns whether a dialog opened.
    bool Config(int row, const std::function<void(QDialog&)>& operate) {
        DeviceList()->SelectRow(row);
        bool opened = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dlg && dlg->isVisible() && !opened) {
                opened = true;
                operate(*dlg);
            }
        });
        poll.start(10);
        EXPECT_TRUE(Action("Config")->isEnabled());
        QTest::mouseClick(Button("Config"), Qt::LeftButton);
        return opened;
    }
    Bytes Stored(int row, uint8_t readCode) {
        Bytes b;
        simulator->WithDevices([&](std::vector<sim::SimDevice>& d) {
            for (sim::SimDevice& device : d) {
                if (device.record.byMac() ==
                    g_arrConfigParam[static_cast<std::size_t>(row)].byMac()) {
                    b = device.blocks[readCode];
                }
            }
        });
        return b;
    }

    std::vector<uint8_t> CodesSent() const {
        std::vector<uint8_t> codes;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            codes.push_back(d.bytes.at(0));
        }
        return codes;
    }

    std::unique_ptr<CMainFrame> frame;
    int rigSize = 0;
};

TEST_F(ConfigPathTest, RenamingASerialServerPersistsOnTheDevice) {
    Search();
    ASSERT_EQ(DeviceList()->RowCount(), rigSize);
    EXPECT_FALSE(Action("Config")->isEnabled());
    const int row = RowOf(DEVTYPE_KV70);

    // The dialog opens with the name selected: typing replaces it, Enter is OK.
    ASSERT_TRUE(Config(row, [](QDialog& dlg) {
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        auto* options = qobject_cast<COptionsDlg*>(&dlg);
        ASSERT_NE(options, nullptr);
        Type(dlg, "stage-left");
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    }));
    _BASICPARAM stored;
    stored.Assign(Stored(row, 0x03).data());
    EXPECT_EQ(stored.DeviceName(), "stage-left");
    // The rows were rebuilt: the selection is gone, and Config with it.
    EXPECT_EQ(DeviceList()->SelectedRow(), -1);
    EXPECT_FALSE(Action("Config")->isEnabled());

    QString shown;
    ASSERT_TRUE(Config(row, [&](QDialog& dlg) {
        shown = qobject_cast<COptionsDlg*>(&dlg)->BasicPage()->DeviceNameEdit()->text();
        QTest::keyClick(&dlg, Qt::Key_Escape);
    }));
    EXPECT_EQ(shown, "stage-left");
}

TEST_F(ConfigPathTest, AnUnknownTypeOpensTheSerialServerDialog) {
    Search();
    const int row = RowOf(sim::kDemoUnknownType);
    ASSERT_GE(row, 0);
    bool serial = false;
    ASSERT_TRUE(Config(row, [&](QDialog& dlg) {
        serial = qobject_cast<COptionsDlg*>(&dlg) != nullptr;
        dlg.reject();
    }));
    EXPECT_TRUE(serial);
}

TEST_F(ConfigPathTest, ANewSearchShowsTheAddressWrittenToTheDevice) {
    Search();
    const int row = RowOf(DEVTYPE_KV70);
    // From the name, Tab passes the address type and enters the local address, whose first
    // octet is selected: the new address is typed over the old one.
    ASSERT_TRUE(Config(row, [](QDialog& dlg) {
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab);
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab);
        Type(dlg, "192.168.1.201");
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(dlg.isVisible());
    }));
    _BASICPARAM stored;
    stored.Assign(Stored(row, 0x03).data());
    EXPECT_EQ(stored.LocalIp(), (Ipv4Bytes{192, 168, 1, 201}));
    // The table keeps the searched address until the next search.
    EXPECT_EQ(DeviceList()->CellText(row, 3), "192.168.1.101");
    Search();
    EXPECT_EQ(DeviceList()->CellText(RowOf(DEVTYPE_KV70), 3), "192.168.1.201");
}

TEST_F(ConfigPathTest, EachOfTwoRecordsOfOneDeviceCanBeConfigured) {
    sim::SimFaults twice;
    twice.duplicateSearchReply = true;
    simulator->SetFaults(0, twice);  // the KV-70 answers every search request twice
    ++rigSize;
    Search();
    std::vector<int> rows;
    for (int r = 0; r < DeviceList()->RowCount(); ++r) {
        if (g_arrConfigParam[static_cast<std::size_t>(r)].dwType() == DEVTYPE_KV70) {
            rows.push_back(r);
        }
    }
    ASSERT_EQ(rows.size(), 2u);
    for (const int row : rows) {
        QString name;
        ASSERT_TRUE(Config(row, [&](QDialog& dlg) {
            name = qobject_cast<COptionsDlg*>(&dlg)->BasicPage()->DeviceNameEdit()->text();
            dlg.reject();
        }));
        EXPECT_EQ(name, "KV70-4D01") << row;
    }
}

TEST_F(ConfigPathTest, PatchingAUniverseOnANodeSendsOneWriteAndTheFinishCommand) {
    // The demo's LUMA-4 takes an automatic address, and its static set differs from it, so
    // its first Apply would also write the network block: give it a static set equal to it.
    simulator->WithDevices([](std::vector<sim::SimDevice>& devices) {
        for (sim::SimDevice& d : devices) {
            if (d.Type() == DEVTYPE_LUMA_4) {
                _ARTNETBASICPARAM b;
                b.Assign(d.blocks[0x03].data());
                b.SetAddresses(_ARTNETBASICPARAM::kNodeAStatic,
                               b.Addresses(_ARTNETBASICPARAM::kNodeACurrent));
                b.SetAddresses(_ARTNETBASICPARAM::kNodeBStatic,
                               b.Addresses(_ARTNETBASICPARAM::kNodeBCurrent));
                b.StampChecksum();
                d.blocks[0x03].assign(b.data(), b.data() + b.size());
            }
        }
    });
    Search();
    const int row = RowOf(DEVTYPE_LUMA_4);
    ASSERT_TRUE(Config(row, [&](QDialog& dlg) {
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        ASSERT_NE(qobject_cast<CArtNetOptionsDlg*>(&dlg), nullptr);
        simulator->ClearLog();
        // Ctrl+Tab to "NodeA Settings", whose first field is port 1's mode; Tab to its universe.
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab);
        QTest::keyClick(dlg.focusWidget(), Qt::Key_A, Qt::ControlModifier);
        Type(dlg, "35");
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);  // Confirm
        EXPECT_FALSE(dlg.isVisible());
    }));
    EXPECT_EQ(CodesSent(), (std::vector<uint8_t>{0x08, 0x7E}));
    _ARTNETDMXPARAM stored;
    stored.Assign(Stored(row, 0x04).data());
    EXPECT_EQ(stored.Port(0).Universe(), 35);
    EXPECT_TRUE(stored.ChecksumMatches());

    QString shown;
    ASSERT_TRUE(Config(row, [&](QDialog& dlg) {
        shown =
            qobject_cast<CArtNetOptionsDlg*>(&dlg)->PortSettingPage(0)->Port(0).universe->text();
        dlg.reject();
    }));
    EXPECT_EQ(shown, "35");
}

TEST_F(ConfigPathTest, TheModulesAddressIsWrittenWithoutAFinishCommand) {
    Search();
    const int row = RowOf(DEVTYPE_LUMA_AIR_MODULE);
    ASSERT_TRUE(Config(row, [&](QDialog& dlg) {
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        simulator->ClearLog();
        Type(dlg, "192.168.1.207");  // the dialog opens in "Local IP:", its first octet selected
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    }));
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].bytes.size(), 80u);
    EXPECT_EQ(log[0].bytes[0], 0x07);
    _RT5350BASICPARAM stored;
    stored.Assign(Stored(row, 0x03).data());
    EXPECT_EQ(stored.IpAddress(), (Ipv4Bytes{192, 168, 1, 207}));
}

TEST_F(ConfigPathTest, ConfigFollowsTheDeviceListsSelectionAndActsOnItFromAnyPane) {
    Search();
    EXPECT_FALSE(Action("Config")->isEnabled());
    // With the COM mapping pane in front Config is offered, and still acts on the device list:
    // without a selected row there, nothing opens.
    Action("ViewComMapping")->trigger();
    EXPECT_TRUE(Action("Config")->isEnabled());
    Action("Config")->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    Action("ViewConfiguration")->trigger();
    EXPECT_FALSE(Action("Config")->isEnabled());
    DeviceList()->SelectRow(0);
    EXPECT_TRUE(Action("Config")->isEnabled());
}

}  // namespace
}  // namespace varlo::ui
