#pragma once
// The WiFi module's only page: its name (read-only), a note that the change lasts until the
// module is switched off, and the IP address and subnet mask it uses now. The template's
// gateway field exists but stays hidden and takes no part.
#include <QWidget>

#include "artnet/ModuleBasicPage.h"

class QLineEdit;

namespace varlo::ui {

class CIpAddressCtrl;

class CGenBasicSettingDlg : public QWidget {
    Q_OBJECT
public:
    CGenBasicSettingDlg(artnet::ModuleBasicPage& page, QWidget* parent = nullptr);

    void Refresh();

    QLineEdit* DeviceNameEdit() const { return m_name; }
    CIpAddressCtrl* LocalIpCtrl() const { return m_ip; }
    CIpAddressCtrl* SubnetMaskCtrl() const { return m_mask; }
    CIpAddressCtrl* GatewayCtrl() const { return m_gateway; }

private:
    artnet::ModuleBasicPage& m_page;
    bool m_refreshing = false;
    QLineEdit* m_name = nullptr;
    CIpAddressCtrl* m_ip = nullptr;
    CIpAddressCtrl* m_mask = nullptr;
    CIpAddressCtrl* m_gateway = nullptr;
};

}  // namespace varlo::ui
