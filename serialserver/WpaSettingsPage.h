#pragma once
// What the WPA and the WPA2 sub-page each hold: the cipher and the pass phrase. Both edit the
// same bytes of the wireless block; the encryption mode decides whose values are written.
#include "serialserver/TextField.h"

namespace varlo::serialserver {

struct WpaSettingsPage {
    int cipher = kNoSelection;  // item of kWpaCipherItems (wire value = item + 1)
    TextField passPhrase;
};

}  // namespace varlo::serialserver
