#pragma once
// The binding shared by the five DMX port page classes: it shows a DmxPortPage in widgets, hands
// the operator's edits to it, shows the validation messages its rules return and puts the focus
// into the failing field. Which controls are visible comes from the page's model; hidden
// controls still carry values.
#include <QWidget>
#include <array>

#include "artnet/DmxPortPage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace varlo::ui {

class CIpAddressCtrl;

class CDmxPortSettingDlg : public QWidget {
    Q_OBJECT
public:
    struct PortWidgets {
        QGroupBox* group = nullptr;
        QComboBox* mode = nullptr;
        QLineEdit* universe = nullptr;
        QComboBox* merge = nullptr;
        QLineEdit* frameRate = nullptr;
        QCheckBox* unicast = nullptr;
        CIpAddressCtrl* address = nullptr;
    };

    CDmxPortSettingDlg(artnet::DmxPortPage& page, QWidget* parent = nullptr);

    // Shows the state as it stands (after a read, after a rule ran).
    void Refresh();
    // The message of a failed validation, then the focus into its field with the text selected.
    void ShowFailure(const artnet::ValidationFailure& failure);

    std::size_t PortCount() const { return m_page.PortCount(); }
    const PortWidgets& Port(std::size_t k) const { return m_ports.at(k); }
    QLineEdit* Field(const artnet::ValidationFailure& failure) const;

private:
    void AddPort(std::size_t k);
    // After a handler: the message first, then the fields as the rule left them, then focus.
    void Handled(const std::optional<artnet::ValidationFailure>& failure);

    artnet::DmxPortPage& m_page;
    bool m_refreshing = false;  // our own writes into the widgets are not edits
    std::array<PortWidgets, artnet::kMaxPagePorts> m_ports{};
};

}  // namespace varlo::ui
