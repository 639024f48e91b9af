// The parameter dialogs' shared frame, driven from the keyboard as an operator would.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

#include "widgets/ParamDialogFrame.h"

namespace varlo::ui {
namespace {

class Probe : public ParamDialogFrame {
public:
    Probe()
        : ParamDialogFrame(
              nullptr,
              {"Parameter settings", "Basic Information", "Confirm", "Apply", "Cancel", "Default"},
              {"Hardware Version:", "Serial Number:"}, {"One", "Two", "Three"}) {
        for (int i = 0; i < 3; ++i) {
            auto* page = new QWidget;
            auto* layout = new QVBoxLayout(page);
            fields[i] = new QLineEdit(page);
            layout->addWidget(fields[i]);
            AddPage(page);
        }
    }
    int applies = 0;
    int defaults = 0;
    QLineEdit* fields[3] = {};

protected:
    void OnApply() override { ++applies; }
    void OnDefault() override { ++defaults; }
};

TEST(ParamDialogFrameTest, PagesAreShownInPlaceAndSwitchedWithCtrlTab) {
    Probe dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_TRUE(dlg.Page(0)->isVisible());
    EXPECT_FALSE(dlg.Page(1)->isVisible());
    // Every page lies over the same rectangle.
    EXPECT_EQ(dlg.Page(0)->geometry(), dlg.Page(2)->geometry());

    dlg.fields[0]->setFocus();
    QTest::keyClick(&dlg, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(dlg.TabBar()->currentIndex(), 1);
    EXPECT_TRUE(dlg.Page(1)->isVisible());
    EXPECT_FALSE(dlg.Page(0)->isVisible());
    EXPECT_TRUE(dlg.fields[1]->hasFocus());
    QTest::keyClick(&dlg, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&dlg, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dlg.TabBar()->currentIndex(), 2);  // wraps round
    EXPECT_TRUE(dlg.fields[2]->hasFocus());
}

TEST(ParamDialogFrameTest, EnterAppliesAndClosesEscClosesWithoutApplying) {
    {
        Probe dlg;
        dlg.show();
        dlg.fields[0]->setFocus();
        QTest::keyClick(dlg.fields[0], Qt::Key_Return);
        EXPECT_EQ(dlg.applies, 1);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_FALSE(dlg.isVisible());
    }
    {
        Probe dlg;
        dlg.show();
        dlg.fields[0]->setFocus();
        QTest::keyClick(dlg.fields[0], Qt::Key_Escape);
        EXPECT_EQ(dlg.applies, 0);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
}

TEST(ParamDialogFrameTest, ApplyAndDefaultKeepTheDialogOpen) {
    Probe dlg;
    dlg.show();
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    QTest::mouseClick(dlg.DefaultButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.applies, 1);
    EXPECT_EQ(dlg.defaults, 1);
    EXPECT_TRUE(dlg.isVisible());
    dlg.SetInfoRowVisible(1, false);
    EXPECT_FALSE(dlg.InfoLabel(1)->isVisible());
    EXPECT_FALSE(dlg.InfoField(1)->isVisible());
}

}  // namespace
}  // namespace varlo::ui
