#pragma once
// The WPA2-Personal sub-page: the same two controls as the WPA one, bound to its own state.
#include "serialserver/WapSettings.h"

namespace varlo::ui {

class CWap2Settings : public CWapSettings {
    Q_OBJECT
public:
    using CWapSettings::CWapSettings;
};

}  // namespace varlo::ui
