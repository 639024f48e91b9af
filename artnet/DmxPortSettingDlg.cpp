#include "artnet/DmxPortSettingDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "artnet/ArtNetItems.h"
#include "artnet/DeviceText.h"
#include "widgets/FixedItemList.h"
#include "widgets/IpAddressCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {

namespace {
using artnet::DmxPortPage;
using artnet::NumberKind;
using artnet::ValidationFailure;

void SetTextKeepingCaret(QLineEdit* edit, const std::string& text) {
    const QString t = FromDeviceText(text);
    if (edit->text() != t) {
        edit->setText(t);
    }
}
}  // namespace

CDmxPortSettingDlg::CDmxPortSettingDlg(DmxPortPage& page, QWidget* parent)
    : QWidget(parent), m_page(page) {
    auto* grid = new QGridLayout(this);
    for (std::size_t k = 0; k < page.PortCount(); ++k) {
        AddPort(k);
        // Two groups a row, created port by port so Tab walks one port after the other.
        grid->addWidget(m_ports[k].group, static_cast<int>(k / 2), static_cast<int>(k % 2));
    }
    grid->setRowStretch(static_cast<int>((page.PortCount() + 1) / 2), 1);
    Refresh();
}

void CDmxPortSettingDlg::AddPort(std::size_t k) {
    const artnet::PortPageModel& model = m_page.Model();
    PortWidgets& w = m_ports[k];
    w.group = new QGroupBox(this);
    auto* form = new QGridLayout(w.group);
    w.mode = NewList(w.group, artnet::kPortModeItems.items);
    w.universe = new QLineEdit(w.group);
    w.merge = NewList(w.group, artnet::kMergeModeItems.items);
    w.frameRate = new QLineEdit(w.group);
    w.unicast = new QCheckBox(QStringLiteral("Unicast:"), w.group);
    w.address = new CIpAddressCtrl(w.group);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Mode:", w.mode},    {"Universe (0-255):", w.universe},
        {"Merge:", w.merge},  {"Frame Rate\n(10-40):", w.frameRate},
        {nullptr, w.address},
    };
    int row = 0;
    for (const auto& [label, field] : rows) {
        QWidget* left = w.unicast;
        if (label != nullptr) {
            auto* l = new QLabel(QString::fromLatin1(label), w.group);
            l->setBuddy(field);
            left = l;
        }
        form->addWidget(left, row, 0);
        form->addWidget(field, row, 1);
        const bool shown = (field != w.mode || model.showMode) &&
                           (field != w.merge || model.showMerge) &&
                           (field != w.address || model.showUnicast);
        if (!shown) {
            left->hide();
            field->hide();
        }
        ++row;
    }
    form->setColumnStretch(1, 1);

    // A field being typed in says nothing: its check waits until the operator leaves it for
    // another field of the page, or until Apply. The sub-net rule and the captions follow each
    // keystroke.
    connect(w.universe, &QLineEdit::textEdited, this, [this, k](const QString& text) {
        m_page.SetUniverseText(k, text.toLocal8Bit().toStdString());
        m_unchecked[k][kUniverseField] = true;
        Refresh();
    });
    connect(w.frameRate, &QLineEdit::textEdited, this, [this, k](const QString& text) {
        m_page.SetFrameRateText(k, text.toLocal8Bit().toStdString());
        m_unchecked[k][kFrameRateField] = true;
    });
    w.universe->installEventFilter(this);
    w.frameRate->installEventFilter(this);
    connect(w.mode, &QComboBox::currentIndexChanged, this, [this, k](int index) {
        if (!m_refreshing) {
            Handled(m_page.SelectMode(k, index), false);
        }
    });
    connect(w.merge, &QComboBox::currentIndexChanged, this, [this, k](int index) {
        if (!m_refreshing) {
            m_page.SelectMerge(k, index);
        }
    });
    connect(w.unicast, &QCheckBox::clicked, this, [this, k](bool ticked) {
        m_page.SetUnicast(k, ticked);
        Refresh();
    });
    connect(w.address, &CIpAddressCtrl::addressChanged, this, [this, k] {
        if (!m_refreshing) {
            m_page.SetUnicastAddress(k, m_ports[k].address->GetOctets());
        }
    });
}

bool CDmxPortSettingDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Only a move to another field of this page is leaving the field: a message box, a
        // switch to another window, the buttons and the tabs are not (Apply checks anyway).
        // The check runs once the focus has moved and the click or key that moved it is done:
        // a message box in the middle of a click would leave its release to the box.
        QWidget* next = QApplication::focusWidget();
        if (next != nullptr && next != watched && isAncestorOf(next)) {
            for (std::size_t k = 0; k < m_page.PortCount(); ++k) {
                for (const NumberKind kind : {NumberKind::Universe, NumberKind::FrameRate}) {
                    if (watched == Field(ValidationFailure{k, kind, {}})) {
                        QTimer::singleShot(0, this, [this, k, kind] { CheckLeftField(k, kind); });
                    }
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CDmxPortSettingDlg::CheckLeftField(std::size_t k, NumberKind kind) {
    bool& unchecked =
        m_unchecked[k][kind == NumberKind::Universe ? kUniverseField : kFrameRateField];
    // A dialog closed by Confirm in the meantime has checked every field itself.
    if (!unchecked || !isVisible()) {
        return;
    }
    unchecked = false;
    // The focus stays where the operator took it.
    Handled(m_page.CheckField(k, kind), false);
}

void CDmxPortSettingDlg::Handled(const std::optional<ValidationFailure>& failure, bool focusField) {
    if (failure) {
        VarloMessageBox(this, QString::fromLatin1(failure->message.c_str()));
    }
    Refresh();
    if (failure && focusField) {
        QLineEdit* field = Field(*failure);
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

void CDmxPortSettingDlg::ShowFailure(const ValidationFailure& failure) {
    Handled(failure, true);
}

QLineEdit* CDmxPortSettingDlg::Field(const ValidationFailure& failure) const {
    const PortWidgets& w = m_ports.at(failure.port);
    return failure.kind == NumberKind::Universe ? w.universe : w.frameRate;
}

void CDmxPortSettingDlg::Refresh() {
    m_refreshing = true;
    for (std::size_t k = 0; k < m_page.PortCount(); ++k) {
        const DmxPortPage::Port& p = m_page.PortState(k);
        PortWidgets& w = m_ports[k];
        w.group->setTitle(QString::fromLatin1(p.caption.c_str()));
        w.mode->setCurrentIndex(p.mode);
        w.merge->setCurrentIndex(p.merge);
        SetTextKeepingCaret(w.universe, p.universeText);
        SetTextKeepingCaret(w.frameRate, p.frameRateText);
        w.unicast->setChecked(p.unicast);
        w.unicast->setEnabled(p.unicastEnabled);
        // Before a read the address stays blank rather than show 0.0.0.0.
        if (!m_page.Filled() && p.unicastAddress == Ipv4Bytes{}) {
            w.address->ClearAddress();
        } else if (w.address->IsBlank() || w.address->GetOctets() != p.unicastAddress) {
            w.address->SetOctets(p.unicastAddress);
        }
        w.address->setEnabled(p.addressEnabled);
    }
    m_refreshing = false;
}

}  // namespace varlo::ui
