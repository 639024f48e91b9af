#pragma once
// The "Basic Settings" page of the LUMA-1, LUMA-2 and LUMA-4 dialogs: NodeA addresses only;
// its visible controls and address rule come from the page's model.
#include "artnet/ArtNetBasicSettingDlg.h"

namespace varlo::ui {

class CArtNet4BasicSettingDlg : public CArtNetBasicSettingDlg {
public:
    using CArtNetBasicSettingDlg::CArtNetBasicSettingDlg;
};

}  // namespace varlo::ui
