#include "serialserver/TcpClientSettings.h"

namespace varlo::ui {

CTcpClientSettings::CTcpClientSettings(QWidget* parent, serialserver::TcpClientSettingsPage& state)
    : QWidget(parent), m_state(state) {
    QFormLayout* form = NewSubPageForm(this);
    m_edtKeepAlive = AddKeepAliveRow(form, this, &m_state.keepAlive);
    m_destinations = AddDestinationRows(form, this, &m_state.destinations);
}

void CTcpClientSettings::UpdateFromState() {
    ShowText(m_edtKeepAlive, m_state.keepAlive);
    ShowDestinations(m_destinations, m_state.destinations);
}

}  // namespace varlo::ui
