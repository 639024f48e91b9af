#pragma once
// The sub-page of the TCP-server mode: keep-alive time and local port.
#include <QWidget>

#include "serialserver/OpModeRows.h"
#include "serialserver/OpModeSubPages.h"

namespace varlo::ui {

class CTcpServerSettings : public QWidget {
    Q_OBJECT
public:
    CTcpServerSettings(QWidget* parent, serialserver::TcpServerSettingsPage& state);

    void UpdateFromState();

    QLineEdit* KeepAliveEdit() const { return m_edtKeepAlive; }
    QLineEdit* LocalPortEdit() const { return m_edtLocalPort; }

private:
    serialserver::TcpServerSettingsPage& m_state;
    QLineEdit* m_edtKeepAlive = nullptr;
    QLineEdit* m_edtLocalPort = nullptr;
};

}  // namespace varlo::ui
