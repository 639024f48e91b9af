#pragma once
// What the wireless page ("无线设置") holds: wireless mode, SSID, encryption mode, and the WEP,
// WPA and WPA2 sub-pages of which the encryption mode shows one.
#include "serialserver/TextField.h"
#include "serialserver/WepSettingsPage.h"
#include "serialserver/WirelessParam.h"
#include "serialserver/WpaSettingsPage.h"

namespace varlo::serialserver {

class WirelessSettingPage {
public:
    enum SubPage { kNoSubPage = -1, kWepSubPage, kWpaSubPage, kWpa2SubPage };

    int wirelessMode = kNoSelection;    // item of kWirelessModeItems
    TextField ssid;                     // at most 35 characters are written
    int encryptionMode = kNoSelection;  // item of kEncryptionModeItems
    WepSettingsPage wep;
    WpaSettingsPage wpa;
    WpaSettingsPage wpa2;
    SubPage shown = kWepSubPage;

    void Fill(const _WIRELESSPARAM& block);
    // The encryption-mode rule: WEP, WPA-Personal and WPA2-Personal show their sub-page; no
    // encryption and no selection show none.
    void SelectEncryptionMode(int index);
    // Starts from `saved` (the block last read or written), so every byte the page does not set
    // keeps its value: the other length's key slots, the last 3 bytes of each slot, the bytes
    // after each text's terminator and the 4 uninterpreted bytes.
    _WIRELESSPARAM Build(const _WIRELESSPARAM& saved) const;
};

}  // namespace varlo::serialserver
