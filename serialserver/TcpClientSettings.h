#pragma once
// The sub-page of the TCP-client mode: keep-alive time and four destinations.
#include <QWidget>

#include "serialserver/OpModeRows.h"
#include "serialserver/OpModeSubPages.h"

namespace varlo::ui {

class CTcpClientSettings : public QWidget {
    Q_OBJECT
public:
    CTcpClientSettings(QWidget* parent, serialserver::TcpClientSettingsPage& state);

    void UpdateFromState();

    QLineEdit* KeepAliveEdit() const { return m_edtKeepAlive; }
    const OpModeDestinationEdits& Destination(int i) const {
        return m_destinations.at(static_cast<std::size_t>(i));
    }

private:
    serialserver::TcpClientSettingsPage& m_state;
    QLineEdit* m_edtKeepAlive = nullptr;
    OpModeDestinationRows m_destinations;
};

}  // namespace varlo::ui
