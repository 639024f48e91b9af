#pragma once
// The drop-down lists of the serial-server pages, in the order the pages add their items; the
// dialog pages and `varlo-cli dump` share these tables.
#include <cstdint>
#include <span>

namespace varlo::serialserver {

// The item at position i stands for the wire value firstWire + i. Most lists start at 0; the
// baud-rate list starts at code 2 and the WPA cipher list at 1.
struct ItemList {
    std::span<const char* const> items;
    uint32_t firstWire = 0;

    // The position a wire value selects, or -1 (no selection) when it has no item.
    constexpr int IndexOf(uint32_t wire) const {
        return wire >= firstWire && wire - firstWire < items.size()
                   ? static_cast<int>(wire - firstWire)
                   : -1;
    }
    // The wire value of a position. No selection (-1) goes through the same mapping: 0xFFFFFFFF
    // for lists starting at 0, 1 for the baud rate, 0 for the WPA cipher.
    constexpr uint32_t WireOf(int index) const { return static_cast<uint32_t>(index) + firstWire; }
    // The item text of a wire value, or nullptr when it has no item.
    constexpr const char* TextOf(uint32_t wire) const {
        const int i = IndexOf(wire);
        return i < 0 ? nullptr : items[static_cast<std::size_t>(i)];
    }
};

// Network page.
inline constexpr const char* kIpTypeTexts[] = {"静态 IP 地址", "动态 IP 地址(DHCP)"};
inline constexpr ItemList kIpTypeItems{kIpTypeTexts};

// Wireless page and its WEP and WPA/WPA2 sub-pages.
inline constexpr const char* kWirelessModeTexts[] = {"接入点(AP)模式", "无线客户端模式"};
inline constexpr ItemList kWirelessModeItems{kWirelessModeTexts};
inline constexpr const char* kEncryptionModeTexts[] = {"不加密", "WEP", "WPA-Personal",
                                                       "WPA2-Personal"};
inline constexpr ItemList kEncryptionModeItems{kEncryptionModeTexts};
inline constexpr const char* kWepKeyLengthTexts[] = {"64bit(10 hex digts)", "128bit(26 hex digts)"};
inline constexpr ItemList kWepKeyLengthItems{kWepKeyLengthTexts};
inline constexpr const char* kWepDefaultKeyTexts[] = {"WEP 密钥1", "WEP 密钥2", "WEP 密钥3",
                                                      "WEP 密钥4"};
inline constexpr ItemList kWepDefaultKeyItems{kWepDefaultKeyTexts};
inline constexpr const char* kWepKeyTypeTexts[] = {"ASCII", "HEX"};
inline constexpr ItemList kWepKeyTypeItems{kWepKeyTypeTexts};
inline constexpr const char* kWpaCipherTexts[] = {"TKIP", "AES", "TKIP and AES"};
inline constexpr ItemList kWpaCipherItems{kWpaCipherTexts, 1};

// Serial-line page.
inline constexpr const char* kBaudRateTexts[] = {
    "110",  "134",  "150",  "300",   "600",   "1200",  "1800",   "2400",
    "4800", "7200", "9600", "19200", "38400", "57600", "115200", "230400"};
inline constexpr ItemList kBaudRateItems{kBaudRateTexts, 2};
inline constexpr const char* kDataBitsTexts[] = {"5", "6", "7", "8"};
inline constexpr ItemList kDataBitsItems{kDataBitsTexts};
inline constexpr const char* kStopBitsTexts[] = {"1", "2"};
inline constexpr ItemList kStopBitsItems{kStopBitsTexts};
inline constexpr const char* kParityTexts[] = {"NONE", "ODD", "EVEN", "MARK", "SPACE"};
inline constexpr ItemList kParityItems{kParityTexts};

// Operating-mode page.
inline constexpr const char* kOpModeTexts[] = {"实串口模式", "TCP 服务器模式", "TCP 客户端模式",
                                               "UDP 模式"};
inline constexpr ItemList kOpModeItems{kOpModeTexts};

static_assert(kBaudRateItems.IndexOf(2) == 0 && kBaudRateItems.IndexOf(17) == 15);
static_assert(kBaudRateItems.IndexOf(1) == -1 && kBaudRateItems.IndexOf(18) == -1);
static_assert(kBaudRateItems.WireOf(-1) == 1 && kWpaCipherItems.WireOf(-1) == 0);
static_assert(kParityItems.WireOf(-1) == 0xFFFFFFFF);

}  // namespace varlo::serialserver
