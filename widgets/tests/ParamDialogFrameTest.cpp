// The parameter dialogs' shared frame, driven from the keyboard as an operator would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

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

// The contrast ratio of two colours as the accessibility guidelines define it: 1 to 21.
double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What a field shows is drawn in its palette's Text on its Base, of the group its state picks.
double TextContrast(const QLineEdit& field) {
    const QPalette::ColorGroup group = field.isEnabled() ? QPalette::Active : QPalette::Disabled;
    return Contrast(field.palette().color(group, QPalette::Text),
                    field.palette().color(group, QPalette::Base));
}

TEST(ParamDialogFrameTest, InformationFieldsAreReadableCopyableAndNoTabStops) {
    Probe dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    dlg.SetInfoText(0, "00-1A-2B-3C-4D-5E");
    QLineEdit* field = dlg.InfoField(0);
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_GE(TextContrast(*field), 4.5);
    // Drawn on the dialog's face, not on an editable field's white.
    EXPECT_EQ(field->palette().color(QPalette::Base), dlg.palette().color(QPalette::Window));

    QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_TRUE(field->hasFocus());
    field->selectAll();
    field->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "00-1A-2B-3C-4D-5E");
    QTest::keyClicks(field, "x");
    EXPECT_EQ(field->text(), "00-1A-2B-3C-4D-5E");

    // Tab from the page's field goes to the buttons and round to the tabs, never into the panel.
    dlg.fields[0]->setFocus();
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), field);
    }
}

}  // namespace
}  // namespace varlo::ui
