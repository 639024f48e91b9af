#include "serialserver/OpModeSettingDlg.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "serialserver/PageBinding.h"
#include "serialserver/RealComSettings.h"
#include "serialserver/SerialServerItems.h"
#include "serialserver/SubPageArea.h"
#include "serialserver/TcpClientSettings.h"
#include "serialserver/TcpServerSettings.h"
#include "serialserver/UdpSettings.h"

namespace varlo::ui {

COpModeSettingDlg::COpModeSettingDlg(QWidget* parent, serialserver::OpModeSettingPage& state)
    : QWidget(parent), m_state(state) {
    auto* form = new QFormLayout;
    m_cmbMode = NewList(this, serialserver::kOpModeTexts);
    form->addRow(QStringLiteral("串口服务器模式："), m_cmbMode);

    // Real COM in front until the device's mode is known.
    m_subPages = new CSubPageArea(this);
    m_subPages->setFrameShape(QFrame::StyledPanel);
    m_realCom = new CRealComSettings(m_subPages, m_state.realCom);
    m_tcpServer = new CTcpServerSettings(m_subPages, m_state.tcpServer);
    m_tcpClient = new CTcpClientSettings(m_subPages, m_state.tcpClient);
    m_udp = new CUdpSettings(m_subPages, m_state.udp);
    m_subPages->AddSubPage(m_realCom);
    m_subPages->AddSubPage(m_tcpServer);
    m_subPages->AddSubPage(m_tcpClient);
    m_subPages->AddSubPage(m_udp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_subPages);
    layout->addStretch(1);

    BindList(m_cmbMode, [this](int index) { OnModeChanged(index); });
}

void COpModeSettingDlg::UpdateFromState() {
    ShowSelection(m_cmbMode, m_state.mode);
    m_realCom->UpdateFromState();
    m_tcpServer->UpdateFromState();
    m_tcpClient->UpdateFromState();
    m_udp->UpdateFromState();
    m_subPages->Show(m_state.shown);
}

void COpModeSettingDlg::OnModeChanged(int index) {
    m_state.SelectMode(index);
    m_subPages->Show(m_state.shown);
}

}  // namespace varlo::ui
