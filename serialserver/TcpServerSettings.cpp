#include "serialserver/TcpServerSettings.h"

namespace varlo::ui {

CTcpServerSettings::CTcpServerSettings(QWidget* parent, serialserver::TcpServerSettingsPage& state)
    : QWidget(parent), m_state(state) {
    QFormLayout* form = NewSubPageForm(this);
    m_edtKeepAlive = AddKeepAliveRow(form, this, &m_state.keepAlive);
    m_edtLocalPort = AddNumberRow(form, this, QStringLiteral("TCP 本地端口："), &m_state.localPort);
}

void CTcpServerSettings::UpdateFromState() {
    ShowText(m_edtKeepAlive, m_state.keepAlive);
    ShowText(m_edtLocalPort, m_state.localPort);
}

}  // namespace varlo::ui
