#pragma once
// The LUMA-EX dialog: the shared Art-Net dialog frame on the model's table entry.
#include "artnet/ArtNetOptionsDlg.h"
#include "discovery/DeviceType.h"

namespace varlo::ui {

class CArtNet1EMOptionsDlg : public CArtNetOptionsDlg {
public:
    explicit CArtNet1EMOptionsDlg(QWidget* parent = nullptr)
        : CArtNetOptionsDlg(parent, *artnet::FindArtNetModel(DEVTYPE_LUMA_EX)) {}
};

}  // namespace varlo::ui
