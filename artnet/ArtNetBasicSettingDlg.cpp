#include "artnet/ArtNetBasicSettingDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "artnet/ArtNetItems.h"
#include "artnet/DeviceText.h"
#include "widgets/FixedItemList.h"
#include "widgets/IpAddressCtrl.h"

namespace varlo::ui {

namespace {
using artnet::ArtNetBasicPage;
}  // namespace

CArtNetBasicSettingDlg::CArtNetBasicSettingDlg(ArtNetBasicPage& page, QWidget* parent)
    : QWidget(parent), m_page(page) {
    // Created top to bottom, so Tab walks the fields in that order.
    auto* form = new QGridLayout;
    m_name = new QLineEdit(this);
    m_dmxHold = NewList(this, artnet::kDmxHoldTimeItems.items);
    m_displayHold = NewList(this, artnet::kDisplayHoldTimeItems.items);
    m_ipType = NewList(this, artnet::kIpTypeItems.items);
    m_displayHoldLabel = new QLabel(QStringLiteral("Display Hold Time:"), this);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Device Name:", m_name},
        {"DMX Hold Time:", m_dmxHold},
        {nullptr, m_displayHold},
        {"IP Type:", m_ipType},
    };
    int row = 0;
    for (const auto& [label, field] : rows) {
        QLabel* l = label ? new QLabel(QString::fromLatin1(label), this) : m_displayHoldLabel;
        l->setBuddy(field);
        form->addWidget(l, row, 0);
        form->addWidget(field, row, 1);
        ++row;
    }
    form->setColumnStretch(1, 1);

    m_nodeA = AddressGroup(QStringLiteral("NodeA"), ArtNetBasicPage::kNodeAIp);
    m_nodeB = AddressGroup(QStringLiteral("NodeB"), ArtNetBasicPage::kNodeBIp);
    auto* groups = new QHBoxLayout;
    groups->addWidget(m_nodeA);
    groups->addWidget(m_nodeB);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(groups);
    layout->addStretch(1);

    m_nodeB->setVisible(page.ShowsNodeB());
    m_displayHoldLabel->setVisible(page.ShowsDisplayHold());
    m_displayHold->setVisible(page.ShowsDisplayHold());

    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_page.SetDeviceName(ToDeviceText(text, _ARTNETBASICPARAM::kDeviceNameWidth - 1));
    });
    connect(m_dmxHold, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_refreshing) {
            m_page.SelectDmxHoldTime(index);
        }
    });
    connect(m_displayHold, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_refreshing) {
            m_page.SelectDisplayHoldTime(index);
        }
    });
    connect(m_ipType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_refreshing) {
            m_page.SelectIpType(index);
            Refresh();
        }
    });
    Refresh();
}

QGroupBox* CArtNetBasicSettingDlg::AddressGroup(const QString& title,
                                                ArtNetBasicPage::AddressField first) {
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    const char* labels[] = {"Local IP:", "Subnet Mask:", "Gateway:"};
    for (int i = 0; i < 3; ++i) {
        const auto f = static_cast<ArtNetBasicPage::AddressField>(first + i);
        auto* ctrl = new CIpAddressCtrl(group);
        auto* label = new QLabel(QString::fromLatin1(labels[i]), group);
        label->setBuddy(ctrl);
        grid->addWidget(label, i, 0);
        grid->addWidget(ctrl, i, 1);
        m_addresses[f] = ctrl;
        connect(ctrl, &CIpAddressCtrl::addressChanged, this, [this, f, ctrl] {
            if (!m_refreshing) {
                m_page.SetAddress(f, ctrl->GetOctets());
            }
        });
    }
    return group;
}

void CArtNetBasicSettingDlg::Refresh() {
    m_refreshing = true;
    // Once edited, the field is the operator's: it may show more than the 31 bytes stored.
    if (!m_page.DeviceNameEdited()) {
        const QString name = FromDeviceText(m_page.DeviceName());
        if (m_name->text() != name) {
            m_name->setText(name);
        }
    }
    m_dmxHold->setCurrentIndex(m_page.DmxHoldTime());
    m_displayHold->setCurrentIndex(m_page.DisplayHoldTime());
    m_ipType->setCurrentIndex(m_page.IpType());
    for (int i = 0; i < ArtNetBasicPage::kAddressFieldCount; ++i) {
        const auto f = static_cast<ArtNetBasicPage::AddressField>(i);
        CIpAddressCtrl* ctrl = m_addresses[f];
        // Before a read the fields stay blank rather than show 0.0.0.0.
        if (!m_page.Filled() && m_page.Address(f) == Ipv4Bytes{}) {
            ctrl->ClearAddress();
        } else if (ctrl->IsBlank() || ctrl->GetOctets() != m_page.Address(f)) {
            ctrl->SetOctets(m_page.Address(f));
        }
        ctrl->setEnabled(m_page.AddressEnabled(f));
    }
    m_refreshing = false;
}

}  // namespace varlo::ui
