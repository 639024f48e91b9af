#pragma once
// The binding shared by the node dialogs' three "Basic Settings" page classes: it shows an
// ArtNetBasicPage in widgets and hands the operator's edits to it. Which controls are visible
// and which address rule runs come from the page's model; hidden controls still carry values.
#include <QWidget>
#include <array>

#include "artnet/ArtNetBasicPage.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace varlo::ui {

class CIpAddressCtrl;

class CArtNetBasicSettingDlg : public QWidget {
    Q_OBJECT
public:
    CArtNetBasicSettingDlg(artnet::ArtNetBasicPage& page, QWidget* parent = nullptr);

    // Shows the state as it stands (after a read, after a rule ran).
    void Refresh();

    QLineEdit* DeviceNameEdit() const { return m_name; }
    QComboBox* DmxHoldList() const { return m_dmxHold; }
    QComboBox* DisplayHoldList() const { return m_displayHold; }
    QComboBox* IpTypeList() const { return m_ipType; }
    CIpAddressCtrl* AddressCtrl(artnet::ArtNetBasicPage::AddressField f) const {
        return m_addresses[f];
    }
    QGroupBox* NodeAGroup() const { return m_nodeA; }
    QGroupBox* NodeBGroup() const { return m_nodeB; }

private:
    QGroupBox* AddressGroup(const QString& title, artnet::ArtNetBasicPage::AddressField first);

    artnet::ArtNetBasicPage& m_page;
    bool m_refreshing = false;  // our own writes into the widgets are not edits
    QLineEdit* m_name = nullptr;
    QComboBox* m_dmxHold = nullptr;
    QLabel* m_displayHoldLabel = nullptr;
    QComboBox* m_displayHold = nullptr;
    QComboBox* m_ipType = nullptr;
    QGroupBox* m_nodeA = nullptr;
    QGroupBox* m_nodeB = nullptr;
    std::array<CIpAddressCtrl*, artnet::ArtNetBasicPage::kAddressFieldCount> m_addresses{};
};

}  // namespace varlo::ui
