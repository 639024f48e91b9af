#include "app/PreviewEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTextCursor>
#include <algorithm>
#include <utility>

namespace varlo::ui {

CPreviewEdit::CPreviewEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("ResultText"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The area is read for results: Tab moves on to the next control instead of indenting.
    setTabChangesFocus(true);
    document()->setUndoRedoEnabled(false);
    connect(document(), &QTextDocument::contentsChanged, this, &CPreviewEdit::OnContentsChanged);
}

void CPreviewEdit::ResetText(const QString& text) {
    m_bUnrecorded = true;
    setPlainText(text);
    m_bUnrecorded = false;
    m_undo.clear();
    m_redo.clear();
    m_bMayMerge = false;
    // The caret stays at the start: a low text area then shows the first line, not the
    // empty last one.
}

void CPreviewEdit::AppendAtEnd(const QString& text) {
    // Every recorded step lies before the old end, so appending after it leaves each one valid.
    m_bUnrecorded = true;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    m_bUnrecorded = false;
    m_bMayMerge = false;
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CPreviewEdit::OnContentsChanged() {
    const QString now = toPlainText();
    const QString before = std::exchange(m_strShadow, now);
    if (m_bUnrecorded) {
        return;
    }
    // The change is what lies between the common start and the common end of the two texts.
    const qsizetype common = std::min(now.size(), before.size());
    qsizetype head = 0;
    while (head < common && now[head] == before[head]) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < common - head && now[now.size() - 1 - tail] == before[before.size() - 1 - tail]) {
        ++tail;
    }
    Step step{static_cast<int>(head), before.mid(head, before.size() - head - tail),
              now.mid(head, now.size() - head - tail)};
    if (step.removed.isEmpty() && step.added.isEmpty()) {
        return;  // a format change
    }
    m_redo.clear();
    // Typing runs and deleting runs are one step each, as in any editor.
    if (m_bMayMerge && !m_undo.empty()) {
        Step& last = m_undo.back();
        const bool oneChar = step.removed.size() + step.added.size() == 1;
        if (oneChar && last.removed.isEmpty() && step.removed.isEmpty() &&
            step.pos == last.pos + last.added.size() && step.added != QStringLiteral("\n")) {
            last.added += step.added;
            return;
        }
        if (oneChar && last.added.isEmpty() && step.added.isEmpty()) {
            if (step.pos + 1 == last.pos) {  // Backspace
                last.pos = step.pos;
                last.removed.prepend(step.removed);
                return;
            }
            if (step.pos == last.pos) {  // Delete
                last.removed += step.removed;
                return;
            }
        }
    }
    m_bMayMerge = step.removed.size() + step.added.size() == 1;
    m_undo.push_back(std::move(step));
}

void CPreviewEdit::Replace(int pos, const QString& from, const QString& to) {
    m_bUnrecorded = true;
    QTextCursor cursor(document());
    cursor.setPosition(pos);
    cursor.setPosition(pos + static_cast<int>(from.size()), QTextCursor::KeepAnchor);
    cursor.insertText(to);
    m_bUnrecorded = false;
    m_bMayMerge = false;
    setTextCursor(cursor);
}

void CPreviewEdit::Undo() {
    if (m_undo.empty()) {
        return;
    }
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    Replace(step.pos, step.added, step.removed);
    m_redo.push_back(std::move(step));
}

void CPreviewEdit::Redo() {
    if (m_redo.empty()) {
        return;
    }
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    Replace(step.pos, step.removed, step.added);
    m_undo.push_back(std::move(step));
}

void CPreviewEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        Undo();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        Redo();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CPreviewEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Undo and Redo of the menu act on the operator's steps kept here. Newer Qt names the
    // actions; older Qt only gives them the text control's own texts.
    auto is = [](const QAction* action, const char* name, const char* text) {
        return action->objectName() == QLatin1String(name) ||
               action->text().startsWith(QCoreApplication::translate("QWidgetTextControl", text));
    };
    for (QAction* action : menu->actions()) {
        const bool undo = is(action, "edit-undo", "&Undo");
        if (!undo && !is(action, "edit-redo", "&Redo")) {
            continue;
        }
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        action->setEnabled(undo ? CanUndo() : CanRedo());
        connect(action, &QAction::triggered, this,
                undo ? &CPreviewEdit::Undo : &CPreviewEdit::Redo);
    }
    menu->popup(event->globalPos());
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
