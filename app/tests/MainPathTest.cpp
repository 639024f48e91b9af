// The everyday path through the main window against the simulator: Search, the device list,
// the result pane's summary, Web Config, and which commands are offered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "app/MainFrame.h"
#include "app/PreviewEdit.h"
#include "app/PreviewPane.h"
#include "app/VarloView.h"
#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "discovery/SearchDlg.h"
#include "testsupport/WireTest.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {
namespace {

class MainPathTest : public testing::SimulatorTest {
protected:
    void SetUp() override {
        sim::Rig rig;
        rig.devices.push_back(
            sim::MakeSimDevice(DEVTYPE_KV70, {0, 0x1A, 0x2B, 0, 0, 1}, {192, 168, 0, 5}));
        rig.devices.push_back(
            sim::MakeSimDevice(DEVTYPE_LUMA_1, {0, 0x1A, 0x2B, 0, 0, 2}, {192, 168, 0, 7}));
        rig.devices.push_back(
            sim::MakeSimDevice(0x12345678, {0, 0x1A, 0x2B, 0, 0, 3}, {10, 1, 2, 3}));
        sim::SimOptions options;
        options.searchDelayMinMs = options.searchDelayMaxMs = 10;
        StartSimulator(std::move(rig), 10, options);
        frame = std::make_unique<CMainFrame>();
        frame->SetUrlOpener([this](const QUrl& url) { opened << url.toString(); });
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override {
        frame.reset();
        SimulatorTest::TearDown();
    }
    QToolButton* Button(const char* action) const {
        return qobject_cast<QToolButton*>(
            frame->ToolBar()->widgetForAction(frame->findChild<QAction*>(QLatin1String(action))));
    }
    QAction* Action(const char* name) const {
        return frame->findChild<QAction*>(QLatin1String(name));
    }
    CConfigurationListCtrl* DeviceList() const { return frame->FindView()->DeviceList(); }

    // Clicks Search; the open search dialog is stopped once stopWhen says so.
    void Search(const std::function<bool(CSearchDlg&, qint64 ms)>& stopWhen) {
        QElapsedTimer clock;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dlg = qobject_cast<CSearchDlg*>(QApplication::activeModalWidget());
            if (dlg && dlg->isVisible() && stopWhen(*dlg, clock.elapsed())) {
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("Stop")),
                                  Qt::LeftButton);
            }
        });
        poll.start(10);
        clock.start();
        QTest::mouseClick(Button("BroadcastSearch"), Qt::LeftButton);
    }
    QString ResultText() const { return frame->PreviewPane()->Edit()->toPlainText(); }

    std::unique_ptr<CMainFrame> frame;
    QStringList opened;
};

TEST_F(MainPathTest, SearchesFillTheListAndReportEachSummary) {
    Search([](CSearchDlg& dlg, qint64) { return dlg.ResultList()->RowCount() == 3; });
    CConfigurationListCtrl* list = DeviceList();
    ASSERT_EQ(list->RowCount(), 3);
    const char* types[] = {"KV-70", "LUMA-1", ""};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(list->CellText(r, 0), QString::number(r));
        EXPECT_EQ(list->CellText(r, 1), types[r]);
        EXPECT_EQ(list->CellText(r, 4), "OK");
    }
    EXPECT_EQ(list->CellText(1, 2), "00:1A:2B:00:00:02");
    EXPECT_EQ(list->CellText(1, 3), "192.168.0.7");
    EXPECT_EQ(ResultText(), "--Information--\n\n3 Device(s) is Finded\n");

    // Nobody answers the second search: the list empties and 0 is reported under the first.
    for (std::size_t d = 0; d < 3; ++d) {
        sim::SimFaults hidden;
        hidden.hiddenFromSearch = true;
        simulator->SetFaults(d, hidden);
    }
    Search([](CSearchDlg&, qint64 ms) { return ms > 1300; });
    EXPECT_EQ(DeviceList()->RowCount(), 0);
    // ... followed by what may be wrong, where the operator looks.
    EXPECT_TRUE(
        ResultText().startsWith("--Information--\n\n3 Device(s) is Finded\n0 Device(s) is "
                                "Finded\nWhy isn't my device found?\n"));
    EXPECT_TRUE(ResultText().contains("What to try next"));
}

TEST_F(MainPathTest, ASearchFromTheComMappingPaneShowsTheDeviceListAgain) {
    Action("ViewComMapping")->trigger();
    ASSERT_EQ(frame->FindView()->CurrentPaneIndex(), 1);
    Search([](CSearchDlg& dlg, qint64) { return dlg.ResultList()->RowCount() == 3; });
    CVarloView* view = frame->FindView();
    EXPECT_EQ(view->CurrentPaneIndex(), 0);
    EXPECT_FALSE(DeviceList()->isHidden());
    EXPECT_TRUE(view->Pane(1)->isHidden());
    EXPECT_EQ(DeviceList()->RowCount(), 3);
    EXPECT_TRUE(Action("ViewConfiguration")->isChecked());
    EXPECT_FALSE(Action("AddComMapping")->isEnabled());
}

TEST_F(MainPathTest, WebConfigOpensTheSelectedDevicesAddress) {
    QTest::mouseClick(Button("WebConfig"), Qt::LeftButton);
    EXPECT_TRUE(opened.isEmpty()) << "no selected row: nothing happens";

    Search([](CSearchDlg& dlg, qint64) { return dlg.ResultList()->RowCount() == 3; });
    CConfigurationListCtrl* list = DeviceList();
    const QRect row1 = list->visualItemRect(list->topLevelItem(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, row1.center().y()));
    ASSERT_EQ(list->SelectedRow(), 1);
    QTest::mouseClick(Button("WebConfig"), Qt::LeftButton);
    EXPECT_EQ(opened, QStringList({"http://192.168.0.7"}));

    // With the COM mapping pane shown, Web Config still acts on the device list.
    Action("ViewComMapping")->trigger();
    ASSERT_EQ(frame->FindView()->CurrentPaneIndex(), 1);
    QTest::mouseClick(Button("WebConfig"), Qt::LeftButton);
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.last(), "http://192.168.0.7");
}

TEST_F(MainPathTest, MenusToolbarAndWhichCommandsAreOffered) {
    QStringList menus;
    for (QAction* a : frame->menuBar()->actions()) {
        menus << a->text();
    }
    EXPECT_EQ(menus, QStringList({"&File", "&Configuration", "&View", "串口映射(&M)", "&Help"}));
    QStringList captions;
    for (QAction* a : frame->ToolBar()->actions()) {
        captions << (a->isSeparator() ? QStringLiteral("|") : a->iconText());
    }
    EXPECT_EQ(captions, QStringList({"Search", "IP Search", "Config", "|", "Import", "Export", "|",
                                     "Clear All Devices", "|", "Web Config"}));
    EXPECT_EQ(frame->ToolBar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(24, 24));

    // An empty list: nothing to export or change; Import and Clear All Devices are offered.
    for (const char* off :
         {"Export", "BatchChange", "Config", "AddComMapping", "ModifyComMapping"}) {
        EXPECT_FALSE(Action(off)->isEnabled()) << off;
    }
    for (const char* on :
         {"BroadcastSearch", "IpSearch", "WebConfig", "Import", "ClearAllDevices"}) {
        EXPECT_TRUE(Action(on)->isEnabled()) << on;
    }
    // Their captions and status prompts stay as they were.
    EXPECT_EQ(Action("Import")->statusTip(), "Import Devie infomation");
    EXPECT_EQ(Action("Export")->statusTip(), "Export Devie infomation");
    EXPECT_EQ(Action("ClearAllDevices")->statusTip(), "Clear All Devices");

    // Add and Modify are offered only while the COM mapping pane is shown.
    CVarloView* view = frame->FindView();
    Action("ViewComMapping")->trigger();
    EXPECT_FALSE(view->Pane(1)->isHidden());
    EXPECT_TRUE(view->Pane(0)->isHidden());
    EXPECT_TRUE(Action("AddComMapping")->isEnabled());
    EXPECT_TRUE(Action("ModifyComMapping")->isEnabled());
    Action("ViewConfiguration")->trigger();
    EXPECT_EQ(view->CurrentPaneIndex(), 0);
    EXPECT_FALSE(Action("AddComMapping")->isEnabled());
}

}  // namespace
}  // namespace varlo::ui
