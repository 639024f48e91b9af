#include "serialserver/WepSettingsPage.h"

#include <algorithm>
#include <string>

#include "serialserver/SerialServerItems.h"
#include "serialserver/WepKeyText.h"

namespace varlo::serialserver {

void WepSettingsPage::Fill(const _WIRELESSPARAM& block) {
    keyLength = kWepKeyLengthItems.IndexOf(block.WepKeyLength());
    defaultKey = kWepDefaultKeyItems.IndexOf(block.WepDefaultKey());
    keyType = kWepKeyTypeItems.IndexOf(block.WepKeyFormat());
    RenderKeys(block.WepKeyLength(), block);
}

void WepSettingsPage::SelectKeyLength(int index, const _WIRELESSPARAM& stored) {
    keyLength = index;
    RenderKeys(kWepKeyLengthItems.WireOf(index), stored);
}

void WepSettingsPage::RenderKeys(uint32_t length, const _WIRELESSPARAM& stored) {
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::span<const uint8_t> key = stored.WepKey(length, k);
        std::string text;
        unrendered[k] =
            FormatKeyString(stored.WepKeyFormat(), key, &text) != static_cast<int>(key.size());
        keys[k].Fill(text);
    }
}

void WepSettingsPage::BuildInto(_WIRELESSPARAM* block) const {
    block->SetWepKeyLength(kWepKeyLengthItems.WireOf(keyLength));
    block->SetWepDefaultKey(kWepDefaultKeyItems.WireOf(defaultKey));
    block->SetWepKeyFormat(kWepKeyTypeItems.WireOf(keyType));
    const uint32_t length = kWepKeyLengthItems.WireOf(keyLength);
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (unrendered[k] && !keys[k].edited) {
            continue;
        }
        const _WIRELESSPARAM::WepSlot slot = _WIRELESSPARAM::WepKeySlot(length, k);
        const std::string_view text = keys[k].Taken(kKeyTextMax);
        if (keyType == 0) {
            // ASCII: the characters fill the key bytes; a shorter key is followed by one zero
            // byte, a longer one is cut to the key bytes.
            std::string bytes = UnescapeKeyText(text);
            if (bytes.size() < slot.keyBytes) {
                bytes += '\0';
            }
            block->SetWepKey(length, k,
                             {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
        } else {
            // HEX: a short or bad text leaves the rest of the slot as it was.
            uint8_t key[_WIRELESSPARAM::kWep128KeyBytes];
            const std::span<const uint8_t> current = block->WepKey(length, k);
            std::copy(current.begin(), current.end(), key);
            ParseHexKey(text, {key, slot.keyBytes}, slot.keyBytes * 2);
            block->SetWepKey(length, k, {key, slot.keyBytes});
        }
    }
}

}  // namespace varlo::serialserver
