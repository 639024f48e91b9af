#pragma once
// The application object: starts the socket library, loads the profile settings kept under
// "Varlo", starts the virtual serial driver and opens the main window, in that order.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace varlo::ui {

class CMainFrame;

class CGUI_HeronApp {
public:
    static constexpr int kMaxRecentFiles = 4;

    CGUI_HeronApp();
    virtual ~CGUI_HeronApp();
    CGUI_HeronApp(const CGUI_HeronApp&) = delete;
    CGUI_HeronApp& operator=(const CGUI_HeronApp&) = delete;

    // The application's name, which titles every message box.
    static QString AppName() { return QStringLiteral("Varlo"); }
    // Model name of a device type code, or null for a code outside the table.
    const char* GetDeviceTypeName(uint32_t type) const;

    // The start-up sequence. False when the program must end (a message has been shown).
    bool InitInstance();
    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }
    const QStringList& RecentFiles() const { return m_recentFiles; }

protected:
    // The steps, in the order InitInstance runs them; a test can watch or fail each one.
    virtual bool InitSockets();
    virtual void LoadStdProfileSettings(int nMaxMRU);
    virtual void StartSerialDriver();
    virtual std::unique_ptr<CMainFrame> CreateMainFrame();
    virtual void ShowMainFrame(CMainFrame& frame);

private:
    std::unique_ptr<CMainFrame> m_pMainWnd;
    QStringList m_recentFiles;
};

}  // namespace varlo::ui
