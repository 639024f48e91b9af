#pragma once
// The LUMA-AIR-MODULE dialog: the shared Art-Net dialog frame on the model's table entry.
#include "artnet/ArtNetOptionsDlg.h"
#include "discovery/DeviceType.h"

namespace varlo::ui {

class CRT5350OptionsDlg : public CArtNetOptionsDlg {
public:
    explicit CRT5350OptionsDlg(QWidget* parent = nullptr)
        : CArtNetOptionsDlg(parent, *artnet::FindArtNetModel(DEVTYPE_LUMA_AIR_MODULE)) {}
};

}  // namespace varlo::ui
