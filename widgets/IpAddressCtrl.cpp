#include "widgets/IpAddressCtrl.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

namespace varlo::ui {

CIpAddressCtrl::CIpAddressCtrl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (std::size_t i = 0; i < m_octets.size(); ++i) {
        if (i > 0) {
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        }
        auto* edit = new QLineEdit(this);
        edit->setValidator(new QIntValidator(0, 255, edit));
        edit->setMaxLength(3);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
        connect(edit, &QLineEdit::textChanged, this, &CIpAddressCtrl::addressChanged);
        // Typing the third digit or a dot moves on to the next octet, as in the system control.
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            if (i + 1 < m_octets.size() && text.size() == 3) {
                m_octets[i + 1]->setFocus();
                m_octets[i + 1]->selectAll();
            }
        });
        layout->addWidget(edit);
        m_octets[i] = edit;
    }
    layout->addStretch();
}

std::array<uint8_t, 4> CIpAddressCtrl::GetOctets() const {
    std::array<uint8_t, 4> out{};
    for (std::size_t i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(std::min(255, m_octets[i]->text().toInt()));
    }
    return out;
}

uint32_t CIpAddressCtrl::GetAddress() const {
    const auto o = GetOctets();
    return (uint32_t{o[0]} << 24) | (uint32_t{o[1]} << 16) | (uint32_t{o[2]} << 8) | o[3];
}

void CIpAddressCtrl::SetOctets(const std::array<uint8_t, 4>& octets) {
    for (std::size_t i = 0; i < 4; ++i) {
        m_octets[i]->setText(QString::number(octets[i]));
    }
}

void CIpAddressCtrl::SetAddress(uint32_t a) {
    SetOctets({uint8_t(a >> 24), uint8_t(a >> 16), uint8_t(a >> 8), uint8_t(a)});
}

void CIpAddressCtrl::ClearAddress() {
    for (QLineEdit* e : m_octets) {
        e->clear();
    }
}

bool CIpAddressCtrl::IsBlank() const {
    for (const QLineEdit* e : m_octets) {
        if (!e->text().isEmpty()) {
            return false;
        }
    }
    return true;
}

}  // namespace varlo::ui
