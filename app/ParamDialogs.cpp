#include "app/ParamDialogs.h"

#include "artnet/ArtNetModels.h"
#include "serialserver/COptionsDlg.h"

namespace varlo::ui {

std::unique_ptr<QDialog> MakeParamDialog(uint32_t type, QWidget* parent) {
    (void)artnet::FindArtNetModel(type);
    return std::make_unique<COptionsDlg>(parent);
}

}  // namespace varlo::ui
