#pragma once
// The "NodeA Settings" page of the LUMA-1 dialog (one port, record 1);
// its ports, records and visible controls come from the page's model.
#include "artnet/DmxPortSettingDlg.h"

namespace varlo::ui {

class CArtNet1NodeASettingDlg : public CDmxPortSettingDlg {
public:
    using CDmxPortSettingDlg::CDmxPortSettingDlg;
};

}  // namespace varlo::ui
