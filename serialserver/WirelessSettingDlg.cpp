#include "serialserver/WirelessSettingDlg.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "serialserver/PageBinding.h"
#include "serialserver/SerialServerConfig.h"
#include "serialserver/SerialServerItems.h"
#include "serialserver/SubPageArea.h"
#include "serialserver/Wap2Settings.h"
#include "serialserver/WepSettings.h"

namespace varlo::ui {

CWirelessSettingDlg::CWirelessSettingDlg(QWidget* parent, serialserver::SerialServerConfig& config)
    : QWidget(parent), m_config(config) {
    serialserver::WirelessSettingPage& state = m_config.wireless;
    auto* form = new QFormLayout;
    m_cmbWirelessMode = NewList(this, serialserver::kWirelessModeTexts);
    form->addRow(QStringLiteral("无线模式："), m_cmbWirelessMode);
    m_edtSsid = new QLineEdit(this);
    form->addRow(QStringLiteral("网络名称（SSID）："), m_edtSsid);
    m_cmbEncryptionMode = NewList(this, serialserver::kEncryptionModeTexts);
    form->addRow(QStringLiteral("无线加密模式："), m_cmbEncryptionMode);

    // WEP in front until the device's encryption mode is known.
    m_subPages = new CSubPageArea(this);
    m_wep = new CWepSettings(m_subPages, m_config);
    m_wpa = new CWapSettings(m_subPages, state.wpa);
    m_wpa2 = new CWap2Settings(m_subPages, state.wpa2);
    m_subPages->AddSubPage(m_wep);
    m_subPages->AddSubPage(m_wpa);
    m_subPages->AddSubPage(m_wpa2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_subPages);
    layout->addStretch(1);

    BindList(m_cmbWirelessMode, [&state](int index) { state.wirelessMode = index; });
    BindText(m_edtSsid, &state.ssid);
    BindList(m_cmbEncryptionMode, [this](int index) { OnEncryptionModeChanged(index); });
}

void CWirelessSettingDlg::UpdateFromState() {
    const serialserver::WirelessSettingPage& state = m_config.wireless;
    ShowSelection(m_cmbWirelessMode, state.wirelessMode);
    ShowText(m_edtSsid, state.ssid);
    ShowSelection(m_cmbEncryptionMode, state.encryptionMode);
    m_wep->UpdateFromState();
    m_wpa->UpdateFromState();
    m_wpa2->UpdateFromState();
    m_subPages->Show(state.shown);
}

void CWirelessSettingDlg::OnEncryptionModeChanged(int index) {
    m_config.wireless.SelectEncryptionMode(index);
    m_subPages->Show(m_config.wireless.shown);
}

}  // namespace varlo::ui
