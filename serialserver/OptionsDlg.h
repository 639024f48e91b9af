#pragma once
// The serial-server parameter dialog "参数设置": the information panel "基本信息" and the four
// pages network, wireless, serial line and operating mode. It reads the device of g_nCurDevice
// while it is being built, before it is shown; Apply writes the blocks whose pages changed, OK
// applies and closes, Cancel closes without writing. The rules live in SerialServerConfig; this
// class binds the widgets to it.
#include "serialserver/SerialServerConfig.h"
#include "widgets/ParamDialogFrame.h"

namespace varlo::ui {

class CBasicSettingDlg;
class COpModeSettingDlg;
class CSerialSettingDlg;
class CWirelessSettingDlg;

class COptionsDlg : public ParamDialogFrame {
    Q_OBJECT
public:
    explicit COptionsDlg(QWidget* parent = nullptr);

    serialserver::SerialServerConfig& Config() { return m_config; }
    // How many of the five reads at opening succeeded.
    std::size_t ReadsSucceeded() const { return m_readsSucceeded; }

    CBasicSettingDlg* BasicPage() const { return m_basic; }
    CWirelessSettingDlg* WirelessPage() const { return m_wireless; }
    CSerialSettingDlg* SerialPage() const { return m_serial; }
    COpModeSettingDlg* OpModePage() const { return m_opMode; }

protected:
    // Writes every block whose page builds other bytes than its saved copy; shows nothing,
    // whatever the writes returned.
    void OnApply() override;

private:
    void OnInitDialog();

    serialserver::SerialServerConfig m_config;
    std::size_t m_readsSucceeded = 0;
    CBasicSettingDlg* m_basic = nullptr;
    CWirelessSettingDlg* m_wireless = nullptr;
    CSerialSettingDlg* m_serial = nullptr;
    COpModeSettingDlg* m_opMode = nullptr;
};

}  // namespace varlo::ui
