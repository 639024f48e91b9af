#include "app/PreviewEdit.h"

#include <QTextCursor>

namespace varlo::ui {

CPreviewEdit::CPreviewEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("ResultText"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void CPreviewEdit::AppendAtEnd(const QString& text) {
    // The operator's own edits stay as they are; only the appended text cannot be undone,
    // and switching the undo record off for it empties the undo history.
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    document()->setUndoRedoEnabled(true);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CPreviewEdit::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    if (parentWidget()) {
        parentWidget()->update();
    }
}

void CPreviewEdit::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (parentWidget()) {
        parentWidget()->update();
    }
}

}  // namespace varlo::ui
