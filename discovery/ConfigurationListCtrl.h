#pragma once
// The device list pane: one row per record of the device table, in table order and never
// sorted, so row i always shows record i. It holds no device data of its own. From it the
// operator opens the parameter dialog of a device: Config, a double click or Enter on a row.
// A device the operator cannot reach as it is (an address outside the subnet of the adapter
// that found it, an address another device has too) is marked, with what to do in a tooltip.
#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

#include "widgets/ReportListCtrl.h"

namespace varlo::ui {

// Makes the parameter dialog a device type opens. The application installs the one that knows
// the dialogs of both families, which sit above this folder.
using ParamDialogFactory = std::function<std::unique_ptr<QDialog>(uint32_t type, QWidget* parent)>;

class CConfigurationListCtrl : public CReportListCtrl {
    Q_OBJECT
public:
    // More rows than this and a configuration request may be answered by a broadcast storm
    // rather than by one device.
    static constexpr int kMaxConfigRows = 300;
    static constexpr int kIpColumn = 3;

    explicit CConfigurationListCtrl(QWidget* parent = nullptr);

    // Rebuilds every row from g_arrConfigParam.
    void RefreshDeviceList();

    // The Config action: g_nCurDevice becomes the first selected row, whose type's dialog runs
    // modally; the rows are rebuilt when it closes. Nothing without a selected row.
    void ConfigCurrentDevice();
    void SetParamDialogFactory(ParamDialogFactory factory) { m_dialogs = std::move(factory); }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ParamDialogFactory m_dialogs;
};

}  // namespace varlo::ui
