#include "artnet/GenBasicSettingDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "artnet/DeviceText.h"
#include "widgets/IpAddressCtrl.h"
#include "widgets/ReadOnlyField.h"

namespace varlo::ui {

CGenBasicSettingDlg::CGenBasicSettingDlg(artnet::ModuleBasicPage& page, QWidget* parent)
    : QWidget(parent), m_page(page) {
    auto* nameRow = new QGridLayout;
    auto* nameLabel = new QLabel(QStringLiteral("Device Name:"), this);
    m_name = new QLineEdit(this);
    // Nothing to edit: Tab goes to the addresses; a click still lets the name be copied.
    MakeReadOnlyField(m_name);
    nameLabel->setBuddy(m_name);
    nameRow->addWidget(nameLabel, 0, 0);
    nameRow->addWidget(m_name, 0, 1);
    nameRow->setColumnStretch(1, 1);

    auto* note = new QLabel(
        QStringLiteral("This page is a temporary configuration, after power off loss, mainly for "
                       "the convenience of changing IP address into the Webpage configuration"),
        this);
    note->setWordWrap(true);

    auto* current = new QGroupBox(QStringLiteral("Current"), this);
    auto* grid = new QGridLayout(current);
    m_ip = new CIpAddressCtrl(current);
    m_mask = new CIpAddressCtrl(current);
    m_gateway = new CIpAddressCtrl(current);
    const std::pair<const char*, CIpAddressCtrl*> rows[] = {
        {"Local IP:", m_ip}, {"Subnet Mask:", m_mask}, {"Gateway:", m_gateway}};
    int row = 0;
    for (const auto& [text, ctrl] : rows) {
        auto* label = new QLabel(QString::fromLatin1(text), current);
        label->setBuddy(ctrl);
        grid->addWidget(label, row, 0);
        grid->addWidget(ctrl, row, 1);
        if (ctrl == m_gateway) {
            label->hide();
            ctrl->hide();
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(note);
    layout->addWidget(current);
    layout->addStretch(1);

    connect(m_ip, &CIpAddressCtrl::addressChanged, this, [this] {
        if (!m_refreshing) {
            m_page.SetIpAddress(m_ip->GetOctets());
        }
    });
    connect(m_mask, &CIpAddressCtrl::addressChanged, this, [this] {
        if (!m_refreshing) {
            m_page.SetSubnetMask(m_mask->GetOctets());
        }
    });
    Refresh();
}

void CGenBasicSettingDlg::Refresh() {
    m_refreshing = true;
    m_name->setText(FromDeviceText(m_page.DeviceName()));
    // The fields stay empty until a read filled the page.
    if (m_page.Filled()) {
        m_ip->SetOctets(m_page.IpAddress());
        m_mask->SetOctets(m_page.SubnetMask());
    } else {
        m_ip->ClearAddress();
        m_mask->ClearAddress();
    }
    m_refreshing = false;
}

}  // namespace varlo::ui
