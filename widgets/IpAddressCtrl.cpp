#include "widgets/IpAddressCtrl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>

#include "transport/Ipv4Octets.h"
#include "widgets/OctetEdit.h"

namespace varlo::ui {

CIpAddressCtrl::CIpAddressCtrl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (std::size_t i = 0; i < m_octets.size(); ++i) {
        if (i > 0) {
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        }
        auto* edit = new COctetEdit(this, static_cast<int>(i));
        connect(edit, &QLineEdit::textChanged, this, &CIpAddressCtrl::addressChanged);
        connect(edit, &QLineEdit::textEdited, this, &CIpAddressCtrl::OnOctetEdited);
        layout->addWidget(edit);
        m_octets[i] = edit;
    }
    layout->addStretch();
    // One Tab stop: Tab lands on the first octet, setFocus() and setTabOrder() treat the four
    // boxes as one widget. A click on the space beside the octets takes no focus.
    setFocusProxy(m_octets[0]);
    setFocusPolicy(Qt::TabFocus);
}

QLineEdit* CIpAddressCtrl::OctetEdit(int i) const {
    return m_octets[static_cast<std::size_t>(i)];
}

std::array<uint8_t, 4> CIpAddressCtrl::GetOctets() const {
    std::array<uint8_t, 4> out{};
    for (std::size_t i = 0; i < 4; ++i) {
        // The validator keeps typed text within 0..255; a caller's setText() on an octet box
        // bypasses it, so out-of-range text still never wraps.
        out[i] = static_cast<uint8_t>(std::clamp(m_octets[i]->text().toInt(), 0, 255));
    }
    return out;
}

uint32_t CIpAddressCtrl::GetAddress() const {
    return Ipv4Number(GetOctets());
}

void CIpAddressCtrl::SetTexts(const std::array<QString, 4>& texts) {
    bool changed = false;
    for (std::size_t i = 0; i < 4; ++i) {
        if (m_octets[i]->text() != texts[i]) {
            const QSignalBlocker quiet(m_octets[i]);
            m_octets[i]->setText(texts[i]);
            changed = true;
        }
    }
    if (changed) {
        emit addressChanged();
    }
}

void CIpAddressCtrl::SetOctets(const std::array<uint8_t, 4>& octets) {
    SetTexts({QString::number(octets[0]), QString::number(octets[1]), QString::number(octets[2]),
              QString::number(octets[3])});
}

void CIpAddressCtrl::SetAddress(uint32_t a) {
    SetOctets(Ipv4Octets(a));
}

void CIpAddressCtrl::ClearAddress() {
    SetTexts({});
}

bool CIpAddressCtrl::IsBlank() const {
    for (const QLineEdit* e : m_octets) {
        if (!e->text().isEmpty()) {
            return false;
        }
    }
    return true;
}

bool CIpAddressCtrl::focusNextPrevChild(bool next) {
    // Shift+Tab from the second to fourth octet must leave the field, not stop at its first
    // octet: for this one search the first octet is no Tab stop.
    if (next) {
        return QWidget::focusNextPrevChild(true);
    }
    m_octets[0]->setFocusPolicy(Qt::ClickFocus);
    const bool moved = QWidget::focusNextPrevChild(false);
    m_octets[0]->setFocusPolicy(Qt::StrongFocus);
    return moved;
}

void CIpAddressCtrl::EnterOctet(int i, Caret caret) {
    COctetEdit* edit = m_octets[static_cast<std::size_t>(i)];
    edit->setFocus(Qt::OtherFocusReason);
    switch (caret) {
        case Caret::SelectAll:
            edit->selectAll();
            break;
        case Caret::Start:
            edit->setCursorPosition(0);
            break;
        case Caret::End:
            edit->setCursorPosition(static_cast<int>(edit->text().size()));
            break;
    }
}

void CIpAddressCtrl::AdvanceFrom(int i) {
    EnterOctet(i + 1, Caret::SelectAll);
    m_nAdvancedInto = i + 1;
}

bool CIpAddressCtrl::PasteDotted(int i, const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    // A whole address fills the field wherever it is pasted; a shorter dotted run ("1.60")
    // fills the octets from the caret's onwards when it fits.
    const int first = parts.size() == 4 ? 0 : i;
    if (parts.size() < 2 || first + parts.size() > 4) {
        return false;
    }
    std::array<QString, 4> texts;
    for (std::size_t k = 0; k < 4; ++k) {
        texts[k] = m_octets[k]->text();
    }
    for (int k = 0; k < parts.size(); ++k) {
        const QString& part = parts[k];
        const bool digits = !part.isEmpty() && part.size() <= 3 &&
                            std::all_of(part.begin(), part.end(), [](QChar c) {
                                return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                            });
        if (!digits || part.toInt() > 255) {
            return false;
        }
        texts[static_cast<std::size_t>(first + k)] = QString::number(part.toInt());
    }
    SetTexts(texts);
    EnterOctet(first + static_cast<int>(parts.size()) - 1, Caret::End);
    emit addressEdited(GetAddress());
    return true;
}

void CIpAddressCtrl::OnOctetEdited() {
    emit addressEdited(GetAddress());
}

}  // namespace varlo::ui
