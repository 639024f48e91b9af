#pragma once
// The LUMA-2 dialog: the shared Art-Net dialog frame on the model's table entry.
#include "artnet/ArtNetOptionsDlg.h"
#include "discovery/DeviceType.h"

namespace varlo::ui {

class CArtNet2OptionsDlg : public CArtNetOptionsDlg {
public:
    explicit CArtNet2OptionsDlg(QWidget* parent = nullptr)
        : CArtNetOptionsDlg(parent, *artnet::FindArtNetModel(DEVTYPE_LUMA_2)) {}
};

}  // namespace varlo::ui
