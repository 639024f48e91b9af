#pragma once
// The LUMA-8 dialog: the shared Art-Net dialog frame on the model's table entry.
#include "artnet/ArtNetOptionsDlg.h"
#include "discovery/DeviceType.h"

namespace varlo::ui {

class CArtNet8OptionsDlg : public CArtNetOptionsDlg {
public:
    explicit CArtNet8OptionsDlg(QWidget* parent = nullptr)
        : CArtNetOptionsDlg(parent, *artnet::FindArtNetModel(DEVTYPE_LUMA_8)) {}
};

}  // namespace varlo::ui
