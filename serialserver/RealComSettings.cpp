#include "serialserver/RealComSettings.h"

namespace varlo::ui {

CRealComSettings::CRealComSettings(QWidget* parent, serialserver::RealComSettingsPage& state)
    : QWidget(parent), m_state(state) {
    QFormLayout* form = NewSubPageForm(this);
    m_edtKeepAlive = AddKeepAliveRow(form, this, &m_state.keepAlive);
}

void CRealComSettings::UpdateFromState() {
    ShowText(m_edtKeepAlive, m_state.keepAlive);
}

}  // namespace varlo::ui
