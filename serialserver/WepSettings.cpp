#include "serialserver/WepSettings.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "serialserver/PageBinding.h"
#include "serialserver/SerialServerConfig.h"
#include "serialserver/SerialServerItems.h"

namespace varlo::ui {

CWepSettings::CWepSettings(QWidget* parent, serialserver::SerialServerConfig& config)
    : QWidget(parent), m_config(config) {
    serialserver::WepSettingsPage& state = m_config.wireless.wep;
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    m_cmbKeyLength = NewList(this, serialserver::kWepKeyLengthTexts);
    form->addRow(QStringLiteral("WEP加密："), m_cmbKeyLength);

    // The key type stands beside the default key.
    m_cmbDefaultKey = NewList(this, serialserver::kWepDefaultKeyTexts);
    m_cmbKeyType = NewList(this, serialserver::kWepKeyTypeTexts);
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(m_cmbDefaultKey, 1);
    auto* keyTypeLabel = new QLabel(QStringLiteral("密钥类型："), this);
    keyTypeLabel->setBuddy(m_cmbKeyType);
    keyRow->addWidget(keyTypeLabel);
    keyRow->addWidget(m_cmbKeyType, 1);
    form->addRow(QStringLiteral("默认WEP密钥："), keyRow);

    for (std::size_t k = 0; k < m_edtKeys.size(); ++k) {
        m_edtKeys[k] = new QLineEdit(this);
        form->addRow(QStringLiteral("WEP 密钥 %1：").arg(k + 1), m_edtKeys[k]);
        BindText(m_edtKeys[k], &state.keys[k]);
    }

    BindList(m_cmbKeyLength, [this](int index) { OnKeyLengthChanged(index); });
    BindList(m_cmbDefaultKey, [&state](int index) { state.defaultKey = index; });
    // Changing the key type changes nothing on screen: the keys keep their text.
    BindList(m_cmbKeyType, [&state](int index) { state.keyType = index; });
}

void CWepSettings::UpdateFromState() {
    const serialserver::WepSettingsPage& state = m_config.wireless.wep;
    ShowSelection(m_cmbKeyLength, state.keyLength);
    ShowSelection(m_cmbDefaultKey, state.defaultKey);
    ShowSelection(m_cmbKeyType, state.keyType);
    ShowKeys();
}

void CWepSettings::OnKeyLengthChanged(int index) {
    m_config.SelectWepKeyLength(index);
    ShowKeys();
}

void CWepSettings::ShowKeys() {
    for (std::size_t k = 0; k < m_edtKeys.size(); ++k) {
        ShowText(m_edtKeys[k], m_config.wireless.wep.keys[k]);
    }
}

}  // namespace varlo::ui
