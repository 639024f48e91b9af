#include "widgets/OctetEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "widgets/IpAddressCtrl.h"

namespace varlo::ui {

namespace {
// Empty, or one to three digits worth at most 255 (leading zeros allowed: "001" is typed by
// operators who pad). Every prefix of a valid text is valid, so a text above 255 is refused
// as it is typed rather than held as "intermediate".
const QRegularExpression& OctetPattern() {
    static const QRegularExpression pattern(
        QStringLiteral("|[0-9]{1,2}|[01][0-9]{2}|2[0-4][0-9]|25[0-5]"));
    return pattern;
}

bool IsDigitKey(const QString& text) {
    return text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}
}  // namespace

COctetEdit::COctetEdit(CIpAddressCtrl* field, int index)
    : QLineEdit(field), m_pField(field), m_nIndex(index) {
    setValidator(new QRegularExpressionValidator(OctetPattern(), this));
    setMaxLength(3);
    setAlignment(Qt::AlignCenter);
    setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
    // Only the first octet is a Tab stop: the field is one stop, entered at its start.
    setFocusPolicy(index == 0 ? Qt::StrongFocus : Qt::ClickFocus);
}

bool COctetEdit::IsComplete(const QString& text) {
    return text.size() >= 3 || text.toInt() * 10 > 255;
}

void COctetEdit::keyPressEvent(QKeyEvent* e) {
    const bool advancedHere = m_pField->m_nAdvancedInto == m_nIndex;
    m_pField->m_nAdvancedInto = -1;
    if (FieldKey(e, advancedHere)) {
        e->accept();
        return;
    }
    const QString before = text();
    QLineEdit::keyPressEvent(e);
    if (IsDigitKey(e->text()) && text() != before && cursorPosition() == text().size() &&
        IsComplete(text()) && m_nIndex < 3) {
        m_pField->AdvanceFrom(m_nIndex);
    }
}

bool COctetEdit::FieldKey(QKeyEvent* e, bool advancedHere) {
    if (e->matches(QKeySequence::Paste)) {
        Paste(QGuiApplication::clipboard()->text());
        return true;
    }
    // A dot is never text of an octet: it moves on from an octet that holds a value, except
    // right after the field moved on by itself (it is then the separator of the octet left).
    if (e->text() == QLatin1String(".")) {
        if (!advancedHere && !text().isEmpty() && m_nIndex < 3) {
            m_pField->EnterOctet(m_nIndex + 1, CIpAddressCtrl::Caret::SelectAll);
        }
        return true;
    }
    const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!plain) {
        return false;
    }
    const bool atStart = !hasSelectedText() && cursorPosition() == 0;
    const bool atEnd = !hasSelectedText() && cursorPosition() == text().size();
    switch (e->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Left:
            if (atStart && m_nIndex > 0) {
                m_pField->EnterOctet(m_nIndex - 1, CIpAddressCtrl::Caret::End);
                return true;
            }
            return atStart;
        case Qt::Key_Right:
            if (atEnd && m_nIndex < 3) {
                m_pField->EnterOctet(m_nIndex + 1, CIpAddressCtrl::Caret::Start);
                return true;
            }
            return false;
        case Qt::Key_Home:
            m_pField->EnterOctet(0, CIpAddressCtrl::Caret::Start);
            return true;
        case Qt::Key_End:
            m_pField->EnterOctet(3, CIpAddressCtrl::Caret::End);
            return true;
        default:
            break;
    }
    // A digit typed at the end of a full octet (the caret put there by a click) starts the
    // next one.
    if (IsDigitKey(e->text()) && atEnd && IsComplete(text()) && m_nIndex < 3) {
        COctetEdit* next = m_pField->m_octets[static_cast<std::size_t>(m_nIndex + 1)];
        m_pField->EnterOctet(m_nIndex + 1, CIpAddressCtrl::Caret::SelectAll);
        next->keyPressEvent(e);
        return true;
    }
    return false;
}

void COctetEdit::Paste(const QString& text) {
    if (!m_pField->PasteDotted(m_nIndex, text)) {
        // One number goes into this octet as typed text would, through the validator.
        insert(text.trimmed());
    }
}

void COctetEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // The line edit selects on Tab itself; the field's focus proxy is also entered by
    // setFocus() (a dialog pointing at a wrong address, a label's mnemonic).
    if (e->reason() == Qt::OtherFocusReason || e->reason() == Qt::ShortcutFocusReason) {
        selectAll();
    }
}

void COctetEdit::focusOutEvent(QFocusEvent* e) {
    if (m_pField->m_nAdvancedInto == m_nIndex) {
        m_pField->m_nAdvancedInto = -1;  // a dot typed after coming back is a dot again
    }
    // "010" reads as 10 and is shown so once the operator leaves it.
    if (e->reason() != Qt::PopupFocusReason && !text().isEmpty()) {
        const QString tidy = QString::number(text().toInt());
        if (tidy != text()) {
            const QSignalBlocker quiet(this);  // the value is unchanged
            setText(tidy);
        }
    }
    QLineEdit::focusOutEvent(e);
}

void COctetEdit::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        // Newer Qt names the action; older Qt only gives it the line edit's own "&Paste" text.
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().startsWith(QLineEdit::tr("&Paste"))) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this,
                    [this] { Paste(QGuiApplication::clipboard()->text()); });
        }
    }
    menu->popup(e->globalPos());
}

void COctetEdit::mouseReleaseEvent(QMouseEvent* e) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (e->button() == Qt::MiddleButton && clipboard->supportsSelection() &&
        m_pField->PasteDotted(m_nIndex, clipboard->text(QClipboard::Selection))) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void COctetEdit::dropEvent(QDropEvent* e) {
    if (e->mimeData()->hasText() && m_pField->PasteDotted(m_nIndex, e->mimeData()->text())) {
        e->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(e);
}

}  // namespace varlo::ui
