#include "serialserver/WapSettings.h"

#include <QFormLayout>

#include "serialserver/PageBinding.h"
#include "serialserver/SerialServerItems.h"

namespace varlo::ui {

CWapSettings::CWapSettings(QWidget* parent, serialserver::WpaSettingsPage& state)
    : QWidget(parent), m_state(state) {
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    m_cmbCipher = NewList(this, serialserver::kWpaCipherTexts);
    form->addRow(QStringLiteral("密码类型："), m_cmbCipher);
    m_edtPassPhrase = new QLineEdit(this);
    form->addRow(QStringLiteral("密码串："), m_edtPassPhrase);

    BindList(m_cmbCipher, [this](int index) { m_state.cipher = index; });
    BindText(m_edtPassPhrase, &m_state.passPhrase);
}

void CWapSettings::UpdateFromState() {
    ShowSelection(m_cmbCipher, m_state.cipher);
    ShowText(m_edtPassPhrase, m_state.passPhrase);
}

}  // namespace varlo::ui
