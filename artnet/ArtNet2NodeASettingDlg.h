#pragma once
// The "NodeA Settings" page of the LUMA-2 dialog (two ports);
// its ports, records and visible controls come from the page's model.
#include "artnet/DmxPortSettingDlg.h"

namespace varlo::ui {

class CArtNet2NodeASettingDlg : public CDmxPortSettingDlg {
public:
    using CDmxPortSettingDlg::CDmxPortSettingDlg;
};

}  // namespace varlo::ui
