#pragma once
// The "Basic Settings" page of the LUMA-EX dialog; its visible controls and address rule
// come from the page's model.
#include "artnet/ArtNetBasicSettingDlg.h"

namespace varlo::ui {

class CArtNet1EMBasicSettingDlg : public CArtNetBasicSettingDlg {
public:
    using CArtNetBasicSettingDlg::CArtNetBasicSettingDlg;
};

}  // namespace varlo::ui
