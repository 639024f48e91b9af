#pragma once
// The "NodeA Settings" page of the LUMA-4 and LUMA-8 dialogs (ports 1-4);
// its ports, records and visible controls come from the page's model.
#include "artnet/DmxPortSettingDlg.h"

namespace varlo::ui {

class CArtNet8NodeASettingDlg : public CDmxPortSettingDlg {
public:
    using CDmxPortSettingDlg::CDmxPortSettingDlg;
};

}  // namespace varlo::ui
