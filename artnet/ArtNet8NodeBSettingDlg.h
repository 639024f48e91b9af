#pragma once
// The "NodeB Settings" page of the LUMA-8 dialog (ports 5-8);
// its ports, records and visible controls come from the page's model.
#include "artnet/DmxPortSettingDlg.h"

namespace varlo::ui {

class CArtNet8NodeBSettingDlg : public CDmxPortSettingDlg {
public:
    using CDmxPortSettingDlg::CDmxPortSettingDlg;
};

}  // namespace varlo::ui
