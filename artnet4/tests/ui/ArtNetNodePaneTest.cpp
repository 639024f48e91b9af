// The node list and the "Art-Net node" dialog against the demo rig's nodes on loopback, driven
// as an operator would.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet4/ArtNetNodeDlg.h"
#include "artnet4/ArtNetNodePane.h"
#include "sim/DeviceSimulator.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {
namespace {

using namespace varlo::artnet4;

constexpr uint32_t kLuma4Ip = 0x0A00002C;  // 10.0.0.44
constexpr std::size_t kLuma4 = 3;

class ArtNetNodePaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.Start());
        sim::ArtNetResponderOptions fast;
        fast.replyDelayMaxMs = 20;
        ASSERT_TRUE(simulator.StartArtNet(0x7F000001, 0, fast));
        saved = ArtNetTarget();
        ArtNetTarget().pollAddrs = {simulator.ArtNet()->Address()};
        ArtNetTarget().pollPort = simulator.ArtNet()->Port();
        ArtNetTarget().localPort = 0;
    }
    void TearDown() override { ArtNetTarget() = saved; }

    int RowOf(const CArtNetNodePane& pane, const QString& ip) {
        for (int r = 0; r < pane.List()->RowCount(); ++r) {
            if (pane.List()->CellText(r, CArtNetNodePane::ColIp) == ip) {
                return r;
            }
        }
        return -1;
    }

    sim::DeviceSimulator simulator{sim::DemoRig()};
    ArtNetSettings saved;
};

TEST_F(ArtNetNodePaneTest, ShownItPollsAndListsEveryPortGroup) {
    CArtNetNodePane pane;
    EXPECT_EQ(pane.PollsSent(), 0);  // hidden, it polls nobody
    pane.show();
    EXPECT_EQ(pane.PollsSent(), 1);
    QTRY_COMPARE(pane.List()->RowCount(), 6);
    const int row = RowOf(pane, QStringLiteral("10.0.0.44"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(pane.List()->CellText(row, CArtNetNodePane::ColShortName), "LUMA-4-4D04");
    EXPECT_EQ(pane.List()->CellText(row, CArtNetNodePane::ColMac), "00:1A:2B:3C:4D:04");
    EXPECT_EQ(pane.List()->CellText(row, CArtNetNodePane::ColPort1), "out 0:3:0 (48) DMX, HTP");
    EXPECT_EQ(pane.List()->CellText(row, CArtNetNodePane::ColPort1 + 3), "out 0:3:3 (51) DMX, HTP");
    const int nodeB = RowOf(pane, QStringLiteral("192.168.1.205"));
    ASSERT_GE(nodeB, 0);
    EXPECT_EQ(pane.List()->CellText(nodeB, CArtNetNodePane::ColBind), "2");
    EXPECT_EQ(pane.List()->CellText(nodeB, CArtNetNodePane::ColPort1 + 3), "in 0:4:7 (71) DMX");

    // Refresh and Search ask again at once; Art-Net allows one poll in 2.5 s, so the second
    // waits its turn instead of going out now.
    pane.findChild<QPushButton*>(QStringLiteral("ArtNetRefresh"))->click();
    pane.RequestPoll();
    EXPECT_EQ(pane.PollsSent(), 1);
    const auto* deferred = pane.findChild<QTimer*>(QStringLiteral("ArtNetDeferredPoll"));
    const auto* every = pane.findChild<QTimer*>(QStringLiteral("ArtNetPollTimer"));
    ASSERT_TRUE(deferred && every);
    EXPECT_TRUE(deferred->isActive());
    EXPECT_GT(deferred->remainingTime(), 0);  // 2.5 s after the first poll, less what passed
    EXPECT_LE(deferred->remainingTime(), CArtNetNodePane::kMinPollGapMs);
    EXPECT_TRUE(every->isActive());
    EXPECT_EQ(every->interval(), 3000);

    pane.hide();  // hidden, it polls nobody: nothing is left to fire
    EXPECT_FALSE(deferred->isActive() || every->isActive());
}

TEST_F(ArtNetNodePaneTest, TheDialogSendsWhatChangedAndShowsWhatTheNodeTook) {
    CArtNetNodePane pane;
    pane.show();
    QTRY_COMPARE(pane.List()->RowCount(), 6);
    CArtNetNodeDlg dlg(pane, kLuma4Ip, 1);
    dlg.show();
    EXPECT_EQ(dlg.ShortName()->text(), "LUMA-4-4D04");
    EXPECT_EQ(dlg.SubNet()->value(), 3);
    EXPECT_EQ(dlg.PortAddress(2)->text(), "0:3:2 (50)");
    EXPECT_TRUE(dlg.EditedRequest().Empty());

    // One field edited asks for that field alone: what the operator left is not sent, so a
    // value the node changed meanwhile is not put back.
    dlg.Universe(3)->setValue(9);
    AddressRequest one;
    one.universe[3] = 9;
    EXPECT_EQ(dlg.EditedRequest().universe, one.universe);
    EXPECT_FALSE(dlg.EditedRequest().net || dlg.EditedRequest().subNet ||
                 dlg.EditedRequest().shortName || dlg.EditedRequest().longName);
    dlg.Universe(3)->setValue(3);
    EXPECT_TRUE(dlg.EditedRequest().Empty());

    dlg.LongName()->selectAll();
    QTest::keyClicks(dlg.LongName(), "Truss left");
    dlg.Universe(1)->setValue(7);
    EXPECT_EQ(dlg.PortAddress(1)->text(), "0:3:7 (55)");
    dlg.Net()->setValue(3);  // the LUMA nodes have no net: the node says no
    dlg.Merge(0)->setCurrentIndex(1);
    dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply)->click();

    QTRY_VERIFY(dlg.Status()->text().startsWith("The node did not take:"));
    EXPECT_TRUE(dlg.Status()->text().contains("net: asked 3, node says 0"));
    EXPECT_EQ(dlg.Net()->value(), 0);  // the node's word, not the operator's
    EXPECT_EQ(dlg.LongName()->text(), "Truss left");
    EXPECT_EQ(dlg.Merge(0)->currentIndex(), 1);
    EXPECT_EQ(dlg.PortAddress(1)->text(), "0:3:7 (55)");

    _ARTNETDMXPARAM ports;
    simulator.WithDevices([&](std::vector<sim::SimDevice>& d) {
        ports.Assign(d[kLuma4].blocks.at(artnet::kReadNodeAParam).data());
    });
    EXPECT_EQ(ports.Port(1).Universe(), 0x37);
    EXPECT_EQ(ports.Port(0).MergeMode(), 2);    // LTP
    EXPECT_EQ(ports.Port(2).Universe(), 0x32);  // untouched
    // The list row follows the node's answer too.
    const int row = RowOf(pane, QStringLiteral("10.0.0.44"));
    EXPECT_EQ(pane.List()->CellText(row, CArtNetNodePane::ColLongName), "Truss left");
}

TEST_F(ArtNetNodePaneTest, LocateAloneSendsOnlyTheCommand) {
    CArtNetNodePane pane;
    pane.show();
    QTRY_COMPARE(pane.List()->RowCount(), 6);
    CArtNetNodeDlg dlg(pane, kLuma4Ip, 1);
    dlg.show();
    dlg.findChild<QPushButton*>(QStringLiteral("Locate"))->click();
    QTRY_COMPARE(dlg.Status()->text(), QStringLiteral("The node took every change."));
    bool locating = false;
    std::string name;
    simulator.WithDevices([&](std::vector<sim::SimDevice>& d) {
        locating = d[kLuma4].locating;
        name = d[kLuma4].artNetShortName;
    });
    EXPECT_TRUE(locating);
    EXPECT_EQ(name, "");  // the names went as "no change"
}

}  // namespace
}  // namespace varlo::ui
