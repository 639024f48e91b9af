#pragma once
// A serial server opened for configuration, without windows: the device information and the
// four parameter blocks read in order, the pages filled from them, and Apply writing exactly the
// blocks whose pages now build other bytes than the saved copies. The dialog COptionsDlg binds
// its widgets to the pages; the command line uses it alone.
#include <cstddef>
#include <optional>
#include <vector>

#include "serialserver/BasicSettingPage.h"
#include "serialserver/OpModeSettingPage.h"
#include "serialserver/SerialInfoPanel.h"
#include "serialserver/SerialServerModel.h"
#include "serialserver/SerialSettingPage.h"
#include "serialserver/WirelessSettingPage.h"
#include "transport/ConfigSession.h"

namespace varlo {

// The wireless block as last read from or written to a serial server, kept for the whole run
// (all zero at start). It may hold another device's block while a dialog whose wireless read
// failed is open; such a dialog never writes it.
extern _WIRELESSPARAM g_WirelessParam;

}  // namespace varlo

namespace varlo::serialserver {

class SerialServerConfig {
public:
    // Without a target (the device index outside the table) nothing is ever sent.
    explicit SerialServerConfig(std::optional<DeviceIdentity> target);

    // Reads the device information, then the network, wireless, serial-line and operating-mode
    // blocks, each only when every read before it succeeded, and fills the panel and the page
    // of every block read. The pages of blocks not read keep their empty state. Returns how
    // many reads succeeded (5 for all).
    std::size_t Open();
    // Builds every page's block and writes, in the order network, wireless, serial line,
    // operating mode, each that was read and now differs from its saved copy. A failed write
    // keeps the saved copy, so the next Apply sends the block again. Changes no page.
    ApplyResult Apply();
    // The blocks the pages build now: the network and serial-line blocks from the pages alone,
    // the wireless and operating-mode blocks over their saved copies.
    _BASICPARAM GetBasicParam() const { return basic.Build(); }
    _WIRELESSPARAM GetWirelessParam() const { return wireless.Build(WirelessStored()); }
    _SERIALPARAM GetSerialParam() const { return serial.Build(); }
    _OPMODEPARAM GetOpModeParam() const;
    // What Apply hands to the session: one built block per writable block of the model.
    std::vector<std::optional<Bytes>> BuildBlocks() const;

    bool IsRead(SerialServerBlock block) const { return m_session.IsRead(block); }
    const ConfigSession& Session() const { return m_session; }
    // The saved copy of a block as its type, or nothing before its read succeeded.
    template <typename Block>
    std::optional<Block> Saved(SerialServerBlock block) const;

    // What the WEP key-length rule renders from: this device's wireless block once read,
    // g_WirelessParam before that.
    const _WIRELESSPARAM& WirelessStored() const;
    // The WEP key-length rule on the wireless page.
    void SelectWepKeyLength(int index) { wireless.wep.SelectKeyLength(index, WirelessStored()); }

    SerialInfoPanel info;
    BasicSettingPage basic;
    WirelessSettingPage wireless;
    SerialSettingPage serial;
    OpModeSettingPage opMode;

private:
    ConfigSession m_session;
    std::optional<_WIRELESSPARAM> m_wireless;  // this device's saved wireless block
};

template <typename Block>
std::optional<Block> SerialServerConfig::Saved(SerialServerBlock block) const {
    const std::optional<Bytes>& saved = m_session.Saved(block);
    if (!saved || saved->size() != Block::kSize) {
        return std::nullopt;
    }
    Block b;
    b.Assign(saved->data());
    return b;
}

}  // namespace varlo::serialserver
