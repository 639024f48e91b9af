#include "serialserver/UdpSettings.h"

namespace varlo::ui {

CUdpSettings::CUdpSettings(QWidget* parent, serialserver::UdpSettingsPage& state)
    : QWidget(parent), m_state(state) {
    QFormLayout* form = NewSubPageForm(this);
    m_destinations = AddDestinationRows(form, this, &m_state.destinations);
    m_edtListenPort =
        AddNumberRow(form, this, QStringLiteral("UDP 监听端口："), &m_state.listenPort);
}

void CUdpSettings::UpdateFromState() {
    ShowDestinations(m_destinations, m_state.destinations);
    ShowText(m_edtListenPort, m_state.listenPort);
}

}  // namespace varlo::ui
