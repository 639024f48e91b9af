// The main window as an operator handles it from the keyboard and with the size grip: menu
// mnemonics, the rows' heights at start, and how small it can be made.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSizeGrip>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/CaptionBar.h"
#include "app/MainFrame.h"
#include "app/VarloView.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {
namespace {

// The letter after the single '&' of a menu text, upper-cased; none for a text without one.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1].toUpper();
            }
            ++i;
        }
    }
    return {};
}

class MainFrameTest : public ::testing::Test {
protected:
    void Show(const QSize& size) {
        frame.resize(size);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    QAction* Action(const char* name) const {
        return frame.findChild<QAction*>(QLatin1String(name));
    }
    CMainFrame frame;
};

TEST_F(MainFrameTest, NoTwoMenusOrItemsOfAMenuShareAMnemonic) {
    auto mnemonics = [](const QList<QAction*>& actions, const QString& where) {
        QString seen;
        for (const QAction* a : actions) {
            const QChar m = Mnemonic(a->text());
            if (m.isNull()) {
                continue;  // "添加" and "修改" have none
            }
            EXPECT_FALSE(seen.contains(m))
                << where.toStdString() << ": " << a->text().toStdString();
            seen += m;
        }
        return seen;
    };
    EXPECT_EQ(mnemonics(frame.menuBar()->actions(), QStringLiteral("menu bar")), "FCVMH");
    for (QAction* menu : frame.menuBar()->actions()) {
        mnemonics(menu->menu()->actions(), menu->text());
    }
    // The COM mapping menu keeps its text with another letter; the pane choices have theirs.
    EXPECT_EQ(frame.menuBar()->actions().value(3)->text(), "串口映射(&M)");
    EXPECT_EQ(Mnemonic(Action("ViewConfiguration")->text()), QLatin1Char('C'));
    EXPECT_EQ(Mnemonic(Action("ViewComMapping")->text()), QLatin1Char('M'));
    EXPECT_EQ(Action("ViewComMapping")->iconText(), "COM Mapping");
}

TEST_F(MainFrameTest, AltCThenWRunsWebConfigEveryTime) {
    Show({700, 500});
    QSignalSpy webConfig(Action("WebConfig"), &QAction::triggered);
    for (int round = 1; round <= 3; ++round) {
        QTest::keyClick(&frame, Qt::Key_C, Qt::AltModifier);
        auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(open, nullptr) << "round " << round;
        EXPECT_EQ(open->title(), "&Configuration") << "round " << round;
        QTest::keyClick(open, Qt::Key_W);
        EXPECT_EQ(webConfig.count(), round);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST_F(MainFrameTest, TheListRowStartsFourHundredFiftyPixelsHigh) {
    Show(CMainFrame::MainFrameGeometry({1920, 1080}).size());
    const auto* outer = frame.findChild<QSplitter*>(QStringLiteral("OuterSplitter"));
    const auto* inner = frame.findChild<QSplitter*>(QStringLiteral("InnerSplitter"));
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->sizes().value(0), CMainFrame::kFirstRowHeight);
    EXPECT_EQ(inner->sizes().value(0), CCaptionBar::kHeight);
}

TEST_F(MainFrameTest, ShrunkAsFarAsItGoesTheListToolbarAndStatusBarStayUsable) {
    Show({700, 500});
    // The frame's own sizing stays: no system border, the status bar's size grip.
    EXPECT_TRUE(frame.windowFlags() & Qt::FramelessWindowHint);
    ASSERT_TRUE(frame.statusBar()->isSizeGripEnabled());
    auto* grip = frame.statusBar()->findChild<QSizeGrip*>();
    ASSERT_NE(grip, nullptr);

    // Drag the grip far up and left, as far as the screen goes.
    const QPoint start = grip->rect().center();
    QTest::mousePress(grip, Qt::LeftButton, {}, start);
    QTest::mouseMove(grip, start - QPoint(690, 490));
    QTest::mouseRelease(grip, Qt::LeftButton, {}, start - QPoint(690, 490));
    EXPECT_LT(frame.width(), 700) << "the grip resizes the window";
    EXPECT_GE(frame.width(), frame.minimumWidth());
    EXPECT_GE(frame.height(), frame.minimumHeight());
    frame.resize(132, 200);
    EXPECT_EQ(frame.size(), frame.minimumSize());
    QApplication::processEvents();

    // The list shows its header and a few rows.
    const CVarloView* view = frame.FindView();
    const CReportListCtrl* list = view->CurrentPane();
    EXPECT_TRUE(list->isVisible());
    EXPECT_GE(list->viewport()->height(), CVarloView::kMinRows * list->fontMetrics().height());

    // The toolbar shows its first buttons, and the extension button offers the rest.
    QToolBar* toolbar = frame.ToolBar();
    const QWidget* search = toolbar->widgetForAction(Action("BroadcastSearch"));
    EXPECT_TRUE(search->isVisible());
    EXPECT_TRUE(toolbar->rect().contains(search->geometry()));
    const auto* more = toolbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_NE(more, nullptr);
    EXPECT_TRUE(more->isVisible());

    // The status bar's panes sit side by side inside it.
    QList<QRect> panes;
    for (const char* name : {"StatusMessage", "CAP", "NUM", "SCRL"}) {
        const auto* pane = frame.statusBar()->findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(pane, nullptr) << name;
        EXPECT_TRUE(frame.statusBar()->rect().contains(pane->geometry())) << name;
        for (const QRect& other : panes) {
            EXPECT_FALSE(pane->geometry().intersects(other)) << name;
        }
        panes << pane->geometry();
    }
    EXPECT_FALSE(grip->geometry().intersects(panes.last()));
}

}  // namespace
}  // namespace varlo::ui
