#pragma once
// The LUMA-1 dialog: the shared Art-Net dialog frame on the model's table entry.
#include "artnet/ArtNetOptionsDlg.h"
#include "discovery/DeviceType.h"

namespace varlo::ui {

class CArtNet1OptionsDlg : public CArtNetOptionsDlg {
public:
    explicit CArtNet1OptionsDlg(QWidget* parent = nullptr)
        : CArtNetOptionsDlg(parent, *artnet::FindArtNetModel(DEVTYPE_LUMA_1)) {}
};

}  // namespace varlo::ui
