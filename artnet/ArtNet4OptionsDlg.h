#pragma once
// The LUMA-4 dialog: the shared Art-Net dialog frame on the model's table entry.
#include "artnet/ArtNetOptionsDlg.h"
#include "discovery/DeviceType.h"

namespace varlo::ui {

class CArtNet4OptionsDlg : public CArtNetOptionsDlg {
public:
    explicit CArtNet4OptionsDlg(QWidget* parent = nullptr)
        : CArtNetOptionsDlg(parent, *artnet::FindArtNetModel(DEVTYPE_LUMA_4)) {}
};

}  // namespace varlo::ui
