#include "serialserver/WirelessSettingPage.h"

#include "serialserver/SerialServerItems.h"

namespace varlo::serialserver {

void WirelessSettingPage::Fill(const _WIRELESSPARAM& block) {
    wirelessMode = kWirelessModeItems.IndexOf(block.WirelessMode());
    ssid.Fill(block.Ssid());
    wep.Fill(block);
    SelectEncryptionMode(kEncryptionModeItems.IndexOf(block.EncryptionMode()));
    for (WpaSettingsPage* page : {&wpa, &wpa2}) {
        page->cipher = kWpaCipherItems.IndexOf(block.WpaCipher());
        page->passPhrase.Fill(block.PassPhrase());
    }
}

void WirelessSettingPage::SelectEncryptionMode(int index) {
    encryptionMode = index;
    switch (index) {
        case 1:
            shown = kWepSubPage;
            break;
        case 2:
            shown = kWpaSubPage;
            break;
        case 3:
            shown = kWpa2SubPage;
            break;
        default:
            shown = kNoSubPage;
            break;
    }
}

_WIRELESSPARAM WirelessSettingPage::Build(const _WIRELESSPARAM& saved) const {
    _WIRELESSPARAM block = saved;
    block.SetWirelessMode(kWirelessModeItems.WireOf(wirelessMode));
    block.SetSsid(ssid.bytes);
    block.SetEncryptionMode(kEncryptionModeItems.WireOf(encryptionMode));
    wep.BuildInto(&block);
    // WPA-Personal takes its own sub-page; every other mode, none included, the WPA2 one.
    const WpaSettingsPage& source = encryptionMode == 2 ? wpa : wpa2;
    block.SetWpaCipher(kWpaCipherItems.WireOf(source.cipher));
    block.SetPassPhrase(source.passPhrase.bytes);
    return block;
}

}  // namespace varlo::serialserver
