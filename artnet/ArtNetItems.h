#pragma once
// The drop-down lists of the Art-Net pages, in item order; the dialog pages and `varlo-cli dump`
// share these tables.
#include <cstdint>
#include <span>

namespace varlo::artnet {

// A selector byte holds the position of the chosen item; a list without a selection is written
// as 0xFF, and a value read that has no item leaves the list without a selection.
struct SelectorList {
    static constexpr uint8_t kNoSelection = 0xFF;

    std::span<const char* const> items;

    // The position a selector byte selects, or -1 (no selection).
    constexpr int IndexOf(uint8_t wire) const { return wire < items.size() ? int{wire} : -1; }
    static constexpr uint8_t WireOf(int index) {
        return index < 0 ? kNoSelection : static_cast<uint8_t>(index);
    }
    // The item text of a selector byte, or nullptr when it has no item.
    constexpr const char* TextOf(uint8_t wire) const {
        return wire < items.size() ? items[wire] : nullptr;
    }
};

// Basic settings page.
inline constexpr const char* kDmxHoldTimeTexts[] = {
    "Forever", "10 minutes", "5 minutes", "60 seconds", "30 seconds", "10 seconds", "off"};
inline constexpr SelectorList kDmxHoldTimeItems{kDmxHoldTimeTexts};
inline constexpr const char* kDisplayHoldTimeTexts[] = {"Always On", "10 seconds", "30 seconds",
                                                        "1 minutes", "2 minutes"};
inline constexpr SelectorList kDisplayHoldTimeItems{kDisplayHoldTimeTexts};
// Values 0 to 2 make the device choose its address and report it in the current set.
inline constexpr const char* kIpTypeTexts[] = {"2.x.x.x(Auto)", "10.x.x.x(Auto)", "DHCP",
                                               "Custom IP"};
inline constexpr SelectorList kIpTypeItems{kIpTypeTexts};
inline constexpr uint8_t kIpTypeCustom = 3;

// DMX port pages.
inline constexpr const char* kPortModeTexts[] = {"Input", "Output"};
inline constexpr SelectorList kPortModeItems{kPortModeTexts};
inline constexpr uint8_t kPortModeOutput = 1;
inline constexpr const char* kMergeModeTexts[] = {"OFF", "HTP", "LTP", "Backup"};
inline constexpr SelectorList kMergeModeItems{kMergeModeTexts};

static_assert(kMergeModeItems.IndexOf(7) == -1 && SelectorList::WireOf(-1) == 0xFF);
static_assert(kIpTypeItems.TextOf(kIpTypeCustom)[0] == 'C');

}  // namespace varlo::artnet
