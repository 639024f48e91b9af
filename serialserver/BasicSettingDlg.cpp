#include "serialserver/BasicSettingDlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "serialserver/PageBinding.h"
#include "serialserver/SerialServerItems.h"
#include "widgets/IpAddressCtrl.h"

namespace varlo::ui {

using serialserver::BasicSettingPage;

CBasicSettingDlg::CBasicSettingDlg(QWidget* parent, BasicSettingPage& state)
    : QWidget(parent), m_state(state) {
    auto* form = new QFormLayout;
    m_edtDeviceName = new QLineEdit(this);
    form->addRow(QStringLiteral("设备名称："), m_edtDeviceName);
    m_cmbIpType = NewList(this, serialserver::kIpTypeTexts);
    form->addRow(QStringLiteral("IP 地址类型："), m_cmbIpType);

    // The five addresses stand in one group box without a caption.
    auto* group = new QGroupBox(this);
    auto* addresses = new QFormLayout(group);
    const QString labels[] = {QStringLiteral("本地IP地址："), QStringLiteral("子网掩码："),
                              QStringLiteral("默认网关："), QStringLiteral("首选 DNS："),
                              QStringLiteral("备用 DNS：")};
    for (std::size_t i = 0; i < m_addresses.size(); ++i) {
        m_addresses[i] = new CIpAddressCtrl(group);
        addresses->addRow(labels[i], m_addresses[i]);
        connect(m_addresses[i], &CIpAddressCtrl::addressChanged, this,
                [this, i] { m_state.addresses[i] = m_addresses[i]->GetOctets(); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    layout->addStretch(1);

    BindName(m_edtDeviceName, &m_state.deviceName, _BASICPARAM::kDeviceNameWidth - 1);
    BindList(m_cmbIpType, [this](int index) { OnIpTypeChanged(index); });
}

void CBasicSettingDlg::UpdateFromState() {
    ShowText(m_edtDeviceName, m_state.deviceName);
    ShowSelection(m_cmbIpType, m_state.ipType);
    for (std::size_t i = 0; i < m_addresses.size(); ++i) {
        const QSignalBlocker block(m_addresses[i]);
        m_addresses[i]->SetOctets(m_state.addresses[i]);
    }
    UpdateEnabled();
}

void CBasicSettingDlg::OnIpTypeChanged(int index) {
    m_state.SelectIpType(index);
    UpdateEnabled();
}

void CBasicSettingDlg::UpdateEnabled() {
    for (CIpAddressCtrl* address : m_addresses) {
        address->setEnabled(m_state.addressesEnabled);
    }
}

}  // namespace varlo::ui
