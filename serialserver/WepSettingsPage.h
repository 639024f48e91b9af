#pragma once
// What the WEP sub-page holds: key length, default key, key type and the four key fields.
#include <array>

#include "serialserver/TextField.h"
#include "serialserver/WirelessParam.h"

namespace varlo::serialserver {

class WepSettingsPage {
public:
    static constexpr std::size_t kKeyTextMax = 29;  // characters a key field hands over

    int keyLength = kNoSelection;   // items of kWepKeyLengthItems, kWepDefaultKeyItems and
    int defaultKey = kNoSelection;  // kWepKeyTypeItems
    int keyType = kNoSelection;
    std::array<TextField, _WIRELESSPARAM::kWepKeyCount> keys;
    // A key the field could not show (ASCII with a byte of 0x80 or above, or an unknown key
    // format): the field stays empty and, until the operator types into it, its slot keeps the
    // bytes read.
    std::array<bool, _WIRELESSPARAM::kWepKeyCount> unrendered{};

    // Lists and keys from a wireless block (the keys in the block's own format).
    void Fill(const _WIRELESSPARAM& block);
    // The key-length rule: the fields show the stored keys of the new length again, in the
    // stored format, from `stored` (the wireless block last read or written), not a
    // conversion of what the fields held.
    void SelectKeyLength(int index, const _WIRELESSPARAM& stored);
    // Stores the lists and the keys into the slots of the selected length.
    void BuildInto(_WIRELESSPARAM* block) const;

private:
    void RenderKeys(uint32_t keyLength, const _WIRELESSPARAM& stored);
};

}  // namespace varlo::serialserver
