#pragma once
// The network page "基本设置": device name, address type and the five addresses, bound to
// the page's state.
#include <QWidget>
#include <array>

#include "serialserver/BasicSettingPage.h"

class QComboBox;
class QLineEdit;

namespace varlo::ui {

class CIpAddressCtrl;

class CBasicSettingDlg : public QWidget {
    Q_OBJECT
public:
    CBasicSettingDlg(QWidget* parent, serialserver::BasicSettingPage& state);

    // Shows what the state holds once the block was read; until then the fields stay blank.
    void UpdateFromState();

    QLineEdit* DeviceNameEdit() const { return m_edtDeviceName; }
    QComboBox* IpTypeList() const { return m_cmbIpType; }
    CIpAddressCtrl* AddressCtrl(int i) const { return m_addresses.at(static_cast<std::size_t>(i)); }

private:
    void OnIpTypeChanged(int index);
    void UpdateEnabled();

    serialserver::BasicSettingPage& m_state;
    QLineEdit* m_edtDeviceName = nullptr;
    QComboBox* m_cmbIpType = nullptr;
    std::array<CIpAddressCtrl*, serialserver::BasicSettingPage::kAddressCount> m_addresses{};
};

}  // namespace varlo::ui
