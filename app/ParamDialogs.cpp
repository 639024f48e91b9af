#include "app/ParamDialogs.h"

#include "artnet/ArtNetDialogs.h"
#include "serialserver/OptionsDlg.h"

namespace varlo::ui {

std::unique_ptr<QDialog> MakeParamDialog(uint32_t type, QWidget* parent) {
    if (std::unique_ptr<CArtNetOptionsDlg> artnet = CreateArtNetOptionsDlg(type, parent)) {
        return artnet;
    }
    return std::make_unique<COptionsDlg>(parent);
}

}  // namespace varlo::ui
