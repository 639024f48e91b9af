// The Art-Net node list in the main window: hidden, and silent, until View > Art-Net Nodes; shown,
// it polls the demo rig's nodes on loopback, and a Search polls again in its turn.
#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QTest>

#include "app/MainFrame.h"
#include "artnet4/ArtNetNodePane.h"
#include "artnet4/ArtNetSettings.h"
#include "sim/DeviceSimulator.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {
namespace {

TEST(ArtNetDockTest, HiddenUntilAskedForThenPolling) {
    sim::DeviceSimulator simulator(sim::DemoRig());
    ASSERT_TRUE(simulator.StartArtNet());
    const artnet4::ArtNetSettings saved = artnet4::ArtNetTarget();
    artnet4::ArtNetTarget().pollAddrs = {simulator.ArtNet()->Address()};
    artnet4::ArtNetTarget().pollPort = simulator.ArtNet()->Port();
    artnet4::ArtNetTarget().localPort = 0;
    {
        CMainFrame frame;
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        EXPECT_FALSE(frame.ArtNetDock()->isVisible());
        EXPECT_EQ(frame.ArtNetPane()->PollsSent(), 0);

        QAction* view = frame.findChild<QAction*>(QStringLiteral("ViewArtNetNodes"));
        ASSERT_TRUE(view);
        view->trigger();
        EXPECT_TRUE(frame.ArtNetDock()->isVisible());
        EXPECT_EQ(frame.ArtNetPane()->PollsSent(), 1);
        QTRY_COMPARE(frame.ArtNetPane()->List()->RowCount(), 6);

        view->trigger();  // hidden again: no more polls
        EXPECT_FALSE(frame.ArtNetDock()->isVisible());
    }
    artnet4::ArtNetTarget() = saved;
}

}  // namespace
}  // namespace varlo::ui
