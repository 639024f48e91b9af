#pragma once
// The sub-page of the UDP mode: four destinations and the local listen port.
#include <QWidget>

#include "serialserver/OpModeRows.h"
#include "serialserver/OpModeSubPages.h"

namespace varlo::ui {

class CUdpSettings : public QWidget {
    Q_OBJECT
public:
    CUdpSettings(QWidget* parent, serialserver::UdpSettingsPage& state);

    void UpdateFromState();

    const OpModeDestinationEdits& Destination(int i) const {
        return m_destinations.at(static_cast<std::size_t>(i));
    }
    QLineEdit* ListenPortEdit() const { return m_edtListenPort; }

private:
    serialserver::UdpSettingsPage& m_state;
    OpModeDestinationRows m_destinations;
    QLineEdit* m_edtListenPort = nullptr;
};

}  // namespace varlo::ui
