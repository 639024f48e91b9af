#include "artnet/ArtNetDialogs.h"

#include <cstring>

#include "artnet/ArtNet1EMOptionsDlg.h"
#include "artnet/ArtNet1OptionsDlg.h"
#include "artnet/ArtNet2OptionsDlg.h"
#include "artnet/ArtNet4OptionsDlg.h"
#include "artnet/ArtNet8OptionsDlg.h"
#include "artnet/RT5350OptionsDlg.h"

namespace varlo::ui {

namespace {
template <typename Dlg>
std::unique_ptr<CArtNetOptionsDlg> Make(QWidget* parent) {
    return std::make_unique<Dlg>(parent);
}

struct DialogClass {
    const char* name;
    std::unique_ptr<CArtNetOptionsDlg> (*make)(QWidget*);
};

const DialogClass kDialogClasses[] = {
    {"CArtNet1OptionsDlg", &Make<CArtNet1OptionsDlg>},
    {"CArtNet2OptionsDlg", &Make<CArtNet2OptionsDlg>},
    {"CArtNet4OptionsDlg", &Make<CArtNet4OptionsDlg>},
    {"CArtNet8OptionsDlg", &Make<CArtNet8OptionsDlg>},
    {"CArtNet1EMOptionsDlg", &Make<CArtNet1EMOptionsDlg>},
    {"CRT5350OptionsDlg", &Make<CRT5350OptionsDlg>},
};
}  // namespace

std::unique_ptr<CArtNetOptionsDlg> CreateArtNetOptionsDlg(uint32_t type, QWidget* parent) {
    const artnet::ArtNetModel* model = artnet::FindArtNetModel(type);
    if (model == nullptr) {
        return nullptr;
    }
    for (const DialogClass& c : kDialogClasses) {
        if (std::strcmp(c.name, model->dialogClass) == 0) {
            return c.make(parent);
        }
    }
    return nullptr;
}

}  // namespace varlo::ui
