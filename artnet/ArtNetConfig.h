#pragma once
// One Art-Net parameter dialog without its window: the session with the device (reads at
// opening, saved copies, Apply, Default) and the state of every page of the model, driven by the
// model's entry in the per-model table. The node and module dialogs bind their widgets to it;
// varlo-cli uses it as it stands.
//
// Opening reads the blocks in the model's order, each only when every read before it succeeded,
// and fills the information panel and the pages from what was read. Apply builds every page's
// block from the page and its saved copy and writes exactly the blocks that differ, then the
// finish command (nodes only) when any write was attempted. A block whose read did not succeed
// is never written.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "artnet/ArtNetBasicPage.h"
#include "artnet/ArtNetDeviceInfo.h"
#include "artnet/ArtNetModels.h"
#include "artnet/DmxPortPage.h"
#include "artnet/ModuleBasicPage.h"
#include "transport/ConfigSession.h"

namespace varlo::artnet {

// The information panel's texts (8-bit bytes), top to bottom.
struct ArtNetInfoPanel {
    enum Row { kHardware, kFirmware, kModuleName, kFirstMac, kSecondMac, kSerialNumber, kRows };

    bool filled = false;  // only a successful device-information read fills it
    std::array<std::string, kRows> texts;

    static ArtNetInfoPanel From(const ArtNetDeviceInfo& info);
};

// A port page's validation failure while an Apply built its block.
struct PortPageFailure {
    std::size_t page;  // index into the port pages (tab page + 1)
    ValidationFailure failure;
};

class ArtNetConfig {
public:
    // Without a target (a device index outside the table) nothing is ever sent.
    ArtNetConfig(const ArtNetModel& model, std::optional<DeviceIdentity> target);

    const ArtNetModel& Model() const { return m_model; }
    const ConfigSession& Session() const { return m_session; }

    // Reads the device and fills the panel and pages from every block read; returns how many
    // reads succeeded.
    std::size_t Open();

    const ArtNetInfoPanel& Info() const { return m_info; }
    // "NodeB MAC：" is hidden on all nodes but the LUMA-8 once every read succeeded.
    bool SecondMacShown() const;

    // The node models' basic settings page, or nullptr for the module.
    ArtNetBasicPage* BasicPage() { return m_basic ? &*m_basic : nullptr; }
    // The module's page, or nullptr for a node.
    ModuleBasicPage* ModulePage() { return m_module ? &*m_module : nullptr; }
    std::size_t PortPageCount() const { return m_ports.size(); }
    DmxPortPage& PortPage(std::size_t i) { return m_ports.at(i); }

    struct Built {
        std::vector<std::optional<Bytes>> blocks;  // per block of the session model
        std::vector<PortPageFailure> failures;     // in page order
    };
    // GetBasicParam, GetNodeAParam, GetNodeBParam: every page's block as it would be written.
    // Port pages validate while building; the caller shows their failures and goes on.
    Built Build();
    // Writes the built blocks that differ from their saved copies, then the finish command.
    ApplyResult Commit(const Built& built);
    // Build and Commit in one, for callers that show nothing in between.
    ApplyResult Apply(std::vector<PortPageFailure>* failures = nullptr);
    // The Default command; pages and saved copies stay as they are.
    bool Default();

private:
    template <typename Block>
    Block SavedOr(std::size_t i) const;
    void FillFromSaved();

    ArtNetModel m_model;
    ConfigSession m_session;
    ArtNetInfoPanel m_info;
    std::optional<ArtNetBasicPage> m_basic;
    std::optional<ModuleBasicPage> m_module;
    std::vector<DmxPortPage> m_ports;
    std::size_t m_infoIndex = 0;
    std::size_t m_basicIndex = 0;
    std::vector<std::size_t> m_portIndexes;
};

}  // namespace varlo::artnet
