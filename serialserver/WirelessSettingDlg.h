#pragma once
// The wireless page "无线设置": wireless mode, SSID, encryption mode, and below them the WEP,
// WPA or WPA2 sub-page of the encryption mode.
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace varlo::serialserver {
class SerialServerConfig;
}

namespace varlo::ui {

class CSubPageArea;
class CWap2Settings;
class CWapSettings;
class CWepSettings;

class CWirelessSettingDlg : public QWidget {
    Q_OBJECT
public:
    CWirelessSettingDlg(QWidget* parent, serialserver::SerialServerConfig& config);

    // Shows what the state holds once the block was read.
    void UpdateFromState();

    QComboBox* WirelessModeList() const { return m_cmbWirelessMode; }
    QLineEdit* SsidEdit() const { return m_edtSsid; }
    QComboBox* EncryptionModeList() const { return m_cmbEncryptionMode; }
    CWepSettings* Wep() const { return m_wep; }
    CWapSettings* Wpa() const { return m_wpa; }
    CWap2Settings* Wpa2() const { return m_wpa2; }

private:
    void OnEncryptionModeChanged(int index);

    serialserver::SerialServerConfig& m_config;
    QComboBox* m_cmbWirelessMode = nullptr;
    QLineEdit* m_edtSsid = nullptr;
    QComboBox* m_cmbEncryptionMode = nullptr;
    CSubPageArea* m_subPages = nullptr;
    CWepSettings* m_wep = nullptr;
    CWapSettings* m_wpa = nullptr;
    CWap2Settings* m_wpa2 = nullptr;
};

}  // namespace varlo::ui
