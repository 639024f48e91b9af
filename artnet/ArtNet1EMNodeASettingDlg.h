#pragma once
// The "DMX Settings" page of the LUMA-EX dialog (one port, record 0);
// its ports, records and visible controls come from the page's model.
#include "artnet/DmxPortSettingDlg.h"

namespace varlo::ui {

class CArtNet1EMNodeASettingDlg : public CDmxPortSettingDlg {
public:
    using CDmxPortSettingDlg::CDmxPortSettingDlg;
};

}  // namespace varlo::ui
