#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <stdexcept>

#include "app/GUI_HeronApp.h"
#include "app/MainFrame.h"
#include "app/VarloView.h"
#include "widgets/ReportListCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {
namespace {

// Records the start-up steps; socket start-up can be made to fail.
class RecordingApp : public CGUI_HeronApp {
public:
    QStringList steps;
    bool socketsOk = true;

protected:
    bool InitSockets() override {
        steps << "sockets";
        return socketsOk;
    }
    void LoadStdProfileSettings(int nMaxMRU) override {
        steps << QStringLiteral("profile %1 under %2")
                     .arg(nMaxMRU)
                     .arg(QCoreApplication::organizationName());
    }
    void StartSerialDriver() override { steps << "driver"; }
    std::unique_ptr<CMainFrame> CreateMainFrame() override {
        steps << "frame";
        return CGUI_HeronApp::CreateMainFrame();
    }
    void ShowMainFrame(CMainFrame& frame) override {
        steps << "show";
        CGUI_HeronApp::ShowMainFrame(frame);
    }
};

TEST(Startup, RunsItsStepsInOrderAndShowsTheCentredMainWindow) {
    RecordingApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.steps,
              QStringList({"sockets", "profile 4 under Varlo", "driver", "frame", "show"}));
    CMainFrame* frame = app.MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "Luma Configurator");
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(frame->frameGeometry(), CMainFrame::MainFrameGeometry(screen));
    EXPECT_STREQ(app.GetDeviceTypeName(0x90000011), "LUMA-EX");
    EXPECT_EQ(app.GetDeviceTypeName(0x11000090), nullptr);
}

TEST(Startup, SocketFailureIsReportedAndEndsTheProgramWithoutAWindow) {
    QStringList messages;
    SetMessageBoxHandler([&](const QString& text) { messages << text; });
    RecordingApp app;
    app.socketsOk = false;
    EXPECT_FALSE(app.InitInstance());
    SetMessageBoxHandler({});
    EXPECT_EQ(messages, QStringList({"Windows 通信端口初始化失败。"}));
    EXPECT_EQ(app.steps, QStringList({"sockets"}));
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST(Startup, WindowIsHalfTheScreenWideAndSixTenthsHighCentred) {
    EXPECT_EQ(CMainFrame::MainFrameGeometry({1920, 1080}), QRect(480, 216, 960, 648));
    // Integer division all the way: 1366 x 768 gives 683 x 460 (not 460.8) at (341, 154).
    EXPECT_EQ(CMainFrame::MainFrameGeometry({1366, 768}), QRect(341, 154, 683, 460));
}

TEST(VarloView, SelectPaneTakesOnlyItsTwoPanes) {
    CVarloView view;
    view.resize(300, 200);
    EXPECT_EQ(view.CurrentPaneIndex(), 0);
    EXPECT_THROW(view.SelectPane(2), std::invalid_argument);
    EXPECT_THROW(view.SelectPane(-1), std::invalid_argument);
    EXPECT_EQ(view.CurrentPaneIndex(), 0) << "a refused index changes nothing";

    view.SelectPane(1);
    EXPECT_EQ(view.CurrentPane(), view.Pane(1));
    EXPECT_TRUE(view.Pane(0)->isHidden());
    EXPECT_FALSE(view.Pane(1)->isHidden());
    EXPECT_EQ(view.Pane(1)->geometry(), QRect(0, 0, 300, 200));

    // Selecting the current pane again only sizes it to the view.
    view.resize(320, 240);
    view.Pane(1)->resize(10, 10);
    view.SelectPane(1);
    EXPECT_EQ(view.Pane(1)->geometry(), QRect(0, 0, 320, 240));
    EXPECT_TRUE(view.Pane(0)->isHidden());
}

}  // namespace
}  // namespace varlo::ui
