#include "app/ParamDialogs.h"

namespace varlo::ui {

std::unique_ptr<QDialog> MakeParamDialog(uint32_t type, QWidget* parent) {
    (void)type;
    (void)parent;
    return nullptr;
}

}  // namespace varlo::ui
