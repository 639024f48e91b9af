#pragma once
// One octet box of CIpAddressCtrl. It takes the keys, pastes and drops that concern the whole
// address (dots, crossing into a neighbour octet, a dotted address) and hands them to the field.
#include <QLineEdit>

namespace varlo::ui {

class CIpAddressCtrl;

class COctetEdit : public QLineEdit {
public:
    COctetEdit(CIpAddressCtrl* field, int index);

    // The octet can take no further digit: three digits, or a value that would pass 255.
    static bool IsComplete(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // Handles the key when it concerns the whole field; false leaves it to the line edit.
    bool FieldKey(QKeyEvent* e, bool advancedHere);
    void Paste(const QString& text);

    CIpAddressCtrl* m_pField;
    int m_nIndex;
};

}  // namespace varlo::ui
