#include "app/GUI_HeronApp.h"

#include <QCoreApplication>
#include <QSettings>

#include "app/MainFrame.h"
#include "comport/SerialDriver.h"
#include "discovery/DeviceType.h"
#include "transport/SocketShim.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {

CGUI_HeronApp::CGUI_HeronApp() = default;
CGUI_HeronApp::~CGUI_HeronApp() = default;

const char* CGUI_HeronApp::GetDeviceTypeName(uint32_t type) const {
    return varlo::GetDeviceTypeName(type);
}

bool CGUI_HeronApp::InitInstance() {
    if (!InitSockets()) {
        VarloMessageBox(nullptr, QStringLiteral("Windows 通信端口初始化失败。"));
        return false;
    }
    // The COM/OLE start-up of the Windows toolkit has no counterpart here: Qt initialises what
    // it needs on each platform.
    QCoreApplication::setOrganizationName(AppName());
    QCoreApplication::setApplicationName(AppName());
    LoadStdProfileSettings(kMaxRecentFiles);
    // Whether or not the driver could be started, the program goes on.
    StartSerialDriver();
    m_pMainWnd = CreateMainFrame();
    if (!m_pMainWnd) {
        return false;
    }
    ShowMainFrame(*m_pMainWnd);
    return true;
}

bool CGUI_HeronApp::InitSockets() {
    return net::StartUp();
}

void CGUI_HeronApp::LoadStdProfileSettings(int nMaxMRU) {
    // Only read: the list stays empty, since the program opens no files.
    QSettings settings;
    settings.beginGroup(QStringLiteral("Recent File List"));
    m_recentFiles.clear();
    for (int i = 1; i <= nMaxMRU; ++i) {
        const QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty()) {
            m_recentFiles << file;
        }
    }
}

void CGUI_HeronApp::StartSerialDriver() {
    varlo::StartSerialDriver();
}

std::unique_ptr<CMainFrame> CGUI_HeronApp::CreateMainFrame() {
    return std::make_unique<CMainFrame>();
}

void CGUI_HeronApp::ShowMainFrame(CMainFrame& frame) {
    frame.show();
    frame.repaint();
}

}  // namespace varlo::ui
