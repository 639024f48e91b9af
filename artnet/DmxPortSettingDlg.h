#pragma once
// The binding shared by the five DMX port page classes: it shows a DmxPortPage in widgets, hands
// the operator's edits to it and shows the validation messages its rules return: for a number
// field once the operator leaves it, for a mode at once, and for Apply with the focus put into
// the failing field. Which controls are visible comes from the page's model; hidden controls
// still carry values.
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
    // The message of a failed validation, then the focus into its field with the text selected:
    // what Apply and Confirm do. Every other message leaves the focus where the operator is.
    void ShowFailure(const artnet::ValidationFailure& failure);

    std::size_t PortCount() const { return m_page.PortCount(); }
    const PortWidgets& Port(std::size_t k) const { return m_ports.at(k); }
    QLineEdit* Field(const artnet::ValidationFailure& failure) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum { kUniverseField, kFrameRateField, kNumberFields };

    void AddPort(std::size_t k);
    // The check of a number field typed in, when the operator leaves it for another field.
    void CheckLeftField(std::size_t k, artnet::NumberKind kind);
    // After a handler: the message first, then the fields as the rule left them, then, for
    // Apply's failures, the focus.
    void Handled(const std::optional<artnet::ValidationFailure>& failure, bool focusField);

    artnet::DmxPortPage& m_page;
    bool m_refreshing = false;  // our own writes into the widgets are not edits
    std::array<PortWidgets, artnet::kMaxPagePorts> m_ports{};
    // Number fields typed in since they were last checked.
    std::array<std::array<bool, kNumberFields>, artnet::kMaxPagePorts> m_unchecked{};
};

}  // namespace varlo::ui
