#pragma once
// The text area of the result pane. Gaining or losing the focus repaints the pane's caption,
// which shows the focus in its colours.
#include <QPlainTextEdit>

namespace varlo::ui {

class CPreviewEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CPreviewEdit(QWidget* parent = nullptr);

    // Appends at the very end, whatever the caret and selection were, without an undo record.
    void AppendAtEnd(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace varlo::ui
