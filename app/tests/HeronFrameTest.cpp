// The painted caption: its buttons' press/release/capture rules and its hit test, driven with
// the mouse as an operator would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "app/HeronFrame.h"

namespace varlo::ui {
namespace {

class HeronFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame.setGeometry(100, 100, 400, 300);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    // Window coordinates of each caption button, and of two points with no button.
    QPoint At(const char* where) const {
        const int w = frame.width();
        const std::string s = where;
        if (s == "minimize")
            return {w - 54, 10};
        if (s == "maximize")
            return {w - 33, 10};
        if (s == "close")
            return {w - 12, 10};
        if (s == "caption")
            return {100, 10};
        return {100, 150};  // "outside": in the client area
    }
    CHeronFrame frame;
};

TEST_F(HeronFrameTest, ButtonsActOnlyWhenPressedAndReleasedOverTheSameOne) {
    struct Case {
        const char* press;
        const char* release;
        CHeronFrame::CaptionButton pressed;
        const char* effect;
    };
    const Case cases[] = {
        {"minimize", "minimize", CHeronFrame::BtnMinimize, "minimized"},
        {"maximize", "maximize", CHeronFrame::BtnMaximize, "maximized"},
        {"close", "close", CHeronFrame::BtnClose, "closed"},
        {"minimize", "close", CHeronFrame::BtnMinimize, "none"},
        {"close", "maximize", CHeronFrame::BtnClose, "none"},
        {"maximize", "caption", CHeronFrame::BtnMaximize, "none"},
        {"close", "outside", CHeronFrame::BtnClose, "none"},
    };
    for (const Case& c : cases) {
        frame.showNormal();
        frame.setGeometry(100, 100, 400, 300);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QTest::mousePress(&frame, Qt::LeftButton, {}, At(c.press));
        EXPECT_EQ(frame.PressedButton(), c.pressed) << c.press;
        QTest::mouseRelease(&frame, Qt::LeftButton, {}, At(c.release));
        EXPECT_EQ(frame.PressedButton(), CHeronFrame::BtnNone) << "back to the normal images";
        const std::string effect = c.effect;
        EXPECT_EQ(frame.isMinimized(), effect == "minimized") << c.press << "->" << c.release;
        EXPECT_EQ(frame.isMaximized(), effect == "maximized") << c.press << "->" << c.release;
        EXPECT_EQ(frame.isVisible(), effect != "closed") << c.press << "->" << c.release;
        frame.show();
    }
}

TEST_F(HeronFrameTest, CaptureLostForgetsThePressedButton) {
    QTest::mousePress(&frame, Qt::LeftButton, {}, At("maximize"));
    ASSERT_EQ(frame.PressedButton(), CHeronFrame::BtnMaximize);
    QEvent lost(QEvent::WindowDeactivate);
    QApplication::sendEvent(&frame, &lost);
    EXPECT_EQ(frame.PressedButton(), CHeronFrame::BtnNone);
    QTest::mouseRelease(&frame, Qt::LeftButton, {}, At("maximize"));
    EXPECT_FALSE(frame.isMaximized()) << "the release finds no remembered button";
}

TEST_F(HeronFrameTest, MaximizeRestoresAMaximizedWindow) {
    frame.showMaximized();
    ASSERT_TRUE(frame.isMaximized());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame.width() > 400; }));
    QTest::mouseClick(&frame, Qt::LeftButton, {}, At("maximize"));
    EXPECT_FALSE(frame.isMaximized());
}

TEST_F(HeronFrameTest, TopTwentyPixelsAreCaptionAndMoveTheWindow) {
    const int w = frame.width(), h = frame.height();
    for (const QPoint p : {QPoint(0, 0), QPoint(30, 5), QPoint(w / 2, 19), QPoint(w - 1, 10)}) {
        EXPECT_EQ(frame.HitTest(p), CHeronFrame::HTCAPTION) << p.x() << "," << p.y();
    }
    EXPECT_EQ(frame.HitTest({w / 2, 20}), CHeronFrame::HTCLIENT);
    EXPECT_EQ(frame.HitTest({2, h / 2}), CHeronFrame::HTNOWHERE) << "the left border";
    EXPECT_EQ(frame.HitTest({w / 2, h - 3}), CHeronFrame::HTNOWHERE) << "the bottom border";
    // Buttons only within the caption's height.
    EXPECT_EQ(frame.CaptionButtonAt(frame.mapToGlobal(QPoint(w - 12, 19))), CHeronFrame::BtnClose);
    EXPECT_EQ(frame.CaptionButtonAt(frame.mapToGlobal(QPoint(w - 12, 20))), CHeronFrame::BtnNone);
    EXPECT_EQ(frame.CaptionButtonAt(frame.mapToGlobal(QPoint(w - 65, 5))), CHeronFrame::BtnNone);
    EXPECT_EQ(frame.CaptionButtonAt(frame.mapToGlobal(QPoint(w - 64, 5))),
              CHeronFrame::BtnMinimize);

    const QPoint before = frame.pos();
    QTest::mousePress(&frame, Qt::LeftButton, {}, At("caption"));
    QTest::mouseMove(&frame, At("caption") + QPoint(30, 20));
    QTest::mouseRelease(&frame, Qt::LeftButton, {}, At("caption"));
    EXPECT_EQ(frame.pos(), before + QPoint(30, 20));
}

TEST(HeronFrame, RegionHasRoundedCorners) {
    const QRegion region = CHeronFrame::RoundedRegion({100, 80});
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(99, 79)));
    EXPECT_TRUE(region.contains(QPoint(5, 0)));
    EXPECT_TRUE(region.contains(QPoint(0, 40)));
    EXPECT_TRUE(region.contains(QPoint(50, 40)));
}

}  // namespace
}  // namespace varlo::ui
