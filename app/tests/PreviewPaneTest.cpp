#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "app/PreviewEdit.h"
#include "app/PreviewPane.h"

namespace varlo::ui {
namespace {

TEST(PreviewPane, DoubleClickOnTheCaptionClosesAndOpensIt) {
    CPreviewPane pane;
    pane.resize(400, 200);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    CPreviewEdit* edit = pane.Edit();
    EXPECT_EQ(edit->geometry(), QRect(0, 25, 400, 175));

    // A double click inside the text area leaves the caption as it is.
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(pane.IsCaptionOpen());

    QTest::mouseDClick(&pane, Qt::LeftButton, {}, QPoint(200, 12));
    EXPECT_FALSE(pane.IsCaptionOpen());
    EXPECT_EQ(edit->geometry(), QRect(0, 5, 400, 195)) << "20 more pixels for the text";

    QTest::mouseDClick(&pane, Qt::LeftButton, {}, QPoint(200, 2));  // the thin strip
    EXPECT_TRUE(pane.IsCaptionOpen());
    EXPECT_EQ(edit->geometry(), QRect(0, 25, 400, 175));
}

TEST(PreviewPane, AppendGoesToTheEndWhateverTheOperatorSelected) {
    CPreviewPane pane;
    CPreviewEdit* edit = pane.Edit();
    EXPECT_EQ(edit->toPlainText(), "--Information--\n\n");
    EXPECT_FALSE(edit->CanUndo()) << "the initial text is no step of the operator's";
    edit->moveCursor(QTextCursor::Start);
    QTest::keyClicks(edit, "note ");
    edit->selectAll();  // a selection is not replaced
    edit->AppendAtEnd("3 Device(s) is Finded\n");
    EXPECT_EQ(edit->toPlainText(), "note --Information--\n\n3 Device(s) is Finded\n");
}

// The operator's own edits stay undoable across appended results, and the results themselves
// are never undone.
TEST(PreviewPane, AppendingKeepsTheOperatorsUndoHistory) {
    CPreviewPane pane;
    CPreviewEdit* edit = pane.Edit();
    const QString initial = QStringLiteral("--Information--\n\n");
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, "site A");
    QTest::keyClick(edit, Qt::Key_Return);
    edit->moveCursor(QTextCursor::Start);
    QTest::keyClicks(edit, "x");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Delete);  // the first '-'
    edit->AppendAtEnd("3 Device(s) is Finded\n");
    const QString appended = QStringLiteral("3 Device(s) is Finded\n");
    EXPECT_EQ(edit->toPlainText(), "-Information--\n\nsite A\n" + appended);

    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    const Step steps[] = {
        {Qt::Key_Z, Qt::ControlModifier, "--Information--\n\nsite A\n" + appended},
        {Qt::Key_Z, Qt::ControlModifier, "x--Information--\n\nsite A\n" + appended},
        {Qt::Key_Z, Qt::ControlModifier, "--Information--\n\nsite A\n" + appended},
        {Qt::Key_Z, Qt::ControlModifier, "--Information--\n\nsite A" + appended},
        {Qt::Key_Z, Qt::ControlModifier, initial + appended},
        {Qt::Key_Z, Qt::ControlModifier, initial + appended},  // nothing left to undo
        {Qt::Key_Y, Qt::ControlModifier, "--Information--\n\nsite A" + appended},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier,
         "--Information--\n\nsite A\n" + appended},
    };
    for (const Step& step : steps) {
        QTest::keyClick(edit, step.key, step.modifiers);
        EXPECT_EQ(edit->toPlainText(), step.text);
    }
    EXPECT_TRUE(edit->CanUndo());
}

TEST(PreviewPane, TabLeavesTheResultText) {
    QWidget window;
    auto* pane = new CPreviewPane(&window);
    auto* next = new QLineEdit(&window);
    pane->setGeometry(0, 0, 300, 100);
    next->setGeometry(0, 110, 300, 20);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    pane->Edit()->setFocus();
    QTest::keyClick(pane->Edit(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
    EXPECT_EQ(pane->Edit()->toPlainText(), "--Information--\n\n");
}

}  // namespace
}  // namespace varlo::ui
