#pragma once
// The dialog a device type of the Art-Net family opens, as the per-model table names it.
#include <QWidget>
#include <cstdint>
#include <memory>

#include "artnet/ArtNetOptionsDlg.h"

namespace varlo::ui {

// The dialog of the type (it reads record g_nCurDevice before returning), or nullptr for a type
// outside the Art-Net family.
std::unique_ptr<CArtNetOptionsDlg> CreateArtNetOptionsDlg(uint32_t type, QWidget* parent);

}  // namespace varlo::ui
