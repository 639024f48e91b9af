#pragma once
// _WIRELESSPARAM, a serial server's wireless block: 228 bytes, read with 0x04 and written with
// 0x08. Both sets of four WEP keys are always present; the key length says which set is in force.
// The WPA cipher and pass phrase are shared by WPA-Personal and WPA2-Personal.
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "transport/ByteBlock.h"

namespace varlo {

class _WIRELESSPARAM : public ByteBlock<228> {
public:
    static constexpr std::size_t kSsid = 0;
    static constexpr std::size_t kSsidWidth = 36;       // at most 35 characters
    static constexpr std::size_t kWirelessMode = 36;    // u32: 0 access point, 1 client
    static constexpr std::size_t kEncryptionMode = 40;  // u32: 0 none, 1 WEP, 2 WPA, 3 WPA2
    static constexpr std::size_t kWepKeyLength = 44;    // u32: 0 64-bit, 1 128-bit
    static constexpr std::size_t kWepKeyFormat = 48;    // u32: 0 ASCII, 1 HEX
    static constexpr std::size_t kWepDefaultKey = 52;   // u32: 0 to 3 for key 1 to key 4
    static constexpr std::size_t kWep64Keys = 56;       // four 8-byte slots
    static constexpr std::size_t kWep64SlotSize = 8;
    static constexpr std::size_t kWep64KeyBytes = 5;
    static constexpr std::size_t kWep128Keys = 88;  // four 16-byte slots
    static constexpr std::size_t kWep128SlotSize = 16;
    static constexpr std::size_t kWep128KeyBytes = 13;
    static constexpr std::size_t kWepKeyCount = 4;
    static constexpr std::size_t kWpaCipher = 152;  // u32: 1 TKIP, 2 AES, 3 TKIP and AES
    static constexpr std::size_t kReserved = 156;   // 4 bytes, not interpreted
    static constexpr std::size_t kPassPhrase = 160;
    static constexpr std::size_t kPassPhraseWidth = 68;  // at most 67 characters

    std::string Ssid() const { return GetText(kSsid, kSsidWidth); }
    void SetSsid(std::string_view t) { SetTextTerminated(kSsid, kSsidWidth, t); }
    uint32_t WirelessMode() const { return GetU32BE(kWirelessMode); }
    void SetWirelessMode(uint32_t v) { SetU32BE(kWirelessMode, v); }
    uint32_t EncryptionMode() const { return GetU32BE(kEncryptionMode); }
    void SetEncryptionMode(uint32_t v) { SetU32BE(kEncryptionMode, v); }
    uint32_t WepKeyLength() const { return GetU32BE(kWepKeyLength); }
    void SetWepKeyLength(uint32_t v) { SetU32BE(kWepKeyLength, v); }
    uint32_t WepKeyFormat() const { return GetU32BE(kWepKeyFormat); }
    void SetWepKeyFormat(uint32_t v) { SetU32BE(kWepKeyFormat, v); }
    uint32_t WepDefaultKey() const { return GetU32BE(kWepDefaultKey); }
    void SetWepDefaultKey(uint32_t v) { SetU32BE(kWepDefaultKey, v); }
    uint32_t WpaCipher() const { return GetU32BE(kWpaCipher); }
    void SetWpaCipher(uint32_t v) { SetU32BE(kWpaCipher, v); }
    std::string PassPhrase() const { return GetText(kPassPhrase, kPassPhraseWidth); }
    void SetPassPhrase(std::string_view t) { SetTextTerminated(kPassPhrase, kPassPhraseWidth, t); }

    // Where key `key` (0 to 3) of a key-length value lives: 0 picks the 64-bit slots (5 key
    // bytes), any other value the 128-bit slots (13 key bytes). The last 3 bytes of every slot
    // are not interpreted.
    struct WepSlot {
        std::size_t offset;
        std::size_t keyBytes;
    };
    static WepSlot WepKeySlot(uint32_t keyLength, std::size_t key) {
        if (key >= kWepKeyCount) {
            std::abort();
        }
        return keyLength == 0 ? WepSlot{kWep64Keys + key * kWep64SlotSize, kWep64KeyBytes}
                              : WepSlot{kWep128Keys + key * kWep128SlotSize, kWep128KeyBytes};
    }
    std::span<const uint8_t> WepKey(uint32_t keyLength, std::size_t key) const {
        const WepSlot slot = WepKeySlot(keyLength, key);
        return {At(slot.offset, slot.keyBytes), slot.keyBytes};
    }
    // Stores at most the slot's key bytes from the start of the slot; the rest stays.
    void SetWepKey(uint32_t keyLength, std::size_t key, std::span<const uint8_t> bytes) {
        const WepSlot slot = WepKeySlot(keyLength, key);
        uint8_t* p = At(slot.offset, slot.keyBytes);
        std::copy_n(bytes.begin(), std::min(bytes.size(), slot.keyBytes), p);
    }
};
static_assert(sizeof(_WIRELESSPARAM) == 228);
static_assert(_WIRELESSPARAM::kWep64Keys + 4 * _WIRELESSPARAM::kWep64SlotSize ==
              _WIRELESSPARAM::kWep128Keys);
static_assert(_WIRELESSPARAM::kWep128Keys + 4 * _WIRELESSPARAM::kWep128SlotSize ==
              _WIRELESSPARAM::kWpaCipher);

}  // namespace varlo
