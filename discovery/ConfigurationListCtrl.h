#pragma once
// The device list pane: one row per record of the device table, in table order and never
// sorted, so row i always shows record i. It holds no device data of its own.
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {

class CConfigurationListCtrl : public CReportListCtrl {
    Q_OBJECT
public:
    explicit CConfigurationListCtrl(QWidget* parent = nullptr);

    // Rebuilds every row from g_arrConfigParam.
    void RefreshDeviceList();
};

}  // namespace varlo::ui
