#pragma once
// The operating-mode page "操作模式": the mode list and, in the frame below it, the sub-page
// of the selected mode.
#include <QWidget>

#include "serialserver/OpModeSettingPage.h"

class QComboBox;

namespace varlo::ui {

class CRealComSettings;
class CSubPageArea;
class CTcpClientSettings;
class CTcpServerSettings;
class CUdpSettings;

class COpModeSettingDlg : public QWidget {
    Q_OBJECT
public:
    COpModeSettingDlg(QWidget* parent, serialserver::OpModeSettingPage& state);

    // Shows what the state holds once the block was read.
    void UpdateFromState();

    QComboBox* ModeList() const { return m_cmbMode; }
    CRealComSettings* RealCom() const { return m_realCom; }
    CTcpServerSettings* TcpServer() const { return m_tcpServer; }
    CTcpClientSettings* TcpClient() const { return m_tcpClient; }
    CUdpSettings* Udp() const { return m_udp; }

private:
    void OnModeChanged(int index);

    serialserver::OpModeSettingPage& m_state;
    QComboBox* m_cmbMode = nullptr;
    CSubPageArea* m_subPages = nullptr;
    CRealComSettings* m_realCom = nullptr;
    CTcpServerSettings* m_tcpServer = nullptr;
    CTcpClientSettings* m_tcpClient = nullptr;
    CUdpSettings* m_udp = nullptr;
};

}  // namespace varlo::ui
