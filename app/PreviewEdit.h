#pragma once
// The text area of the result pane. Gaining or losing the focus repaints the pane's caption,
// which shows the focus in its colours.
//
// The operator may edit the text; the results the program appends are no undo step and leave
// the operator's own undo history as it was. The document's undo records every change and
// cannot leave one out without emptying its history, so the area keeps the operator's steps
// itself, as replacements that stay valid when text is appended at the end.
#include <QPlainTextEdit>
#include <vector>

namespace varlo::ui {

class CPreviewEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CPreviewEdit(QWidget* parent = nullptr);

    // The whole text anew (the pane's initial content), with no undo steps before it.
    void ResetText(const QString& text);
    // Appends at the very end, whatever the caret and selection were, without an undo record.
    void AppendAtEnd(const QString& text);

    // The operator's edits, one step at a time (Ctrl+Z, Ctrl+Y and the context menu).
    void Undo();
    void Redo();
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // At pos, `removed` was replaced by `added`.
    struct Step {
        int pos;
        QString removed;
        QString added;
    };
    void OnContentsChanged();
    // Replaces `from` at pos by `to`, unrecorded, and leaves the caret after it.
    void Replace(int pos, const QString& from, const QString& to);

    QString m_strShadow;  // the text as of the last change seen
    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
    bool m_bUnrecorded = false;  // a change the program makes: appending, undoing, redoing
    bool m_bMayMerge = false;    // the last step may take the next keystroke
};

}  // namespace varlo::ui
