#pragma once
// The dialog frame shared by the five node dialogs and the WiFi module's dialog, driven by the
// model's entry in the per-model table: the "Basic Information" panel, the tabs and their pages,
// and "Default", "Confirm", "Apply" and "Cancel". It reads the device while it is constructed,
// before it is shown, so a device that does not answer delays the window by one budget.
// Apply writes the blocks that changed (and, for the nodes, the finish command); Confirm is
// Apply and close; Cancel writes nothing; Default sends the Default command only.
#include <cstdint>
#include <vector>

#include "artnet/ArtNetConfig.h"
#include "widgets/ParamDialogFrame.h"

namespace varlo::ui {

class CArtNetBasicSettingDlg;
class CDmxPortSettingDlg;
class CGenBasicSettingDlg;

class CArtNetOptionsDlg : public ParamDialogFrame {
    Q_OBJECT
public:
    // The device is record g_nCurDevice of the device table, looked up once; outside the table
    // nothing is ever sent.
    CArtNetOptionsDlg(QWidget* parent, const artnet::ArtNetModel& model);

    const artnet::ArtNetConfig& Config() const { return m_config; }
    // The node models' basic settings page, or nullptr for the module.
    CArtNetBasicSettingDlg* BasicSettingPage() const { return m_basic; }
    // The module's page, or nullptr for a node.
    CGenBasicSettingDlg* ModuleSettingPage() const { return m_module; }
    std::size_t PortSettingPageCount() const { return m_ports.size(); }
    CDmxPortSettingDlg* PortSettingPage(std::size_t i) const { return m_ports.at(i); }

protected:
    void OnApply() override;
    void OnDefault() override;
    void showEvent(QShowEvent* event) override;

private:
    void FillInfoPanel();

    artnet::ArtNetConfig m_config;
    CArtNetBasicSettingDlg* m_basic = nullptr;
    CGenBasicSettingDlg* m_module = nullptr;
    std::vector<CDmxPortSettingDlg*> m_ports;
    bool m_focusPlaced = false;
};

}  // namespace varlo::ui
