#include <gtest/gtest.h>

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
    edit->moveCursor(QTextCursor::Start);
    QTest::keyClicks(edit, "note ");
    edit->selectAll();  // a selection is not replaced
    edit->AppendAtEnd("3 Device(s) is Finded\n");
    EXPECT_EQ(edit->toPlainText(), "note --Information--\n\n3 Device(s) is Finded\n");
    edit->undo();  // the append itself cannot be undone
    EXPECT_EQ(edit->toPlainText(), "note --Information--\n\n3 Device(s) is Finded\n");
}

}  // namespace
}  // namespace varlo::ui
