#pragma once
// Everything that tells the six Art-Net models apart, in one table: which dialog class a type
// opens, its tabs and page classes, which DMX record each port of a page edits and the port
// numbers its captions show, which controls a page shows, the blocks read at opening and written
// on Apply, and whether the finish command follows. The dialogs, `varlo-cli` and the tests read
// it; nothing else repeats it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "transport/ConfigSession.h"

namespace varlo::artnet {

// How the basic settings page switches its address fields when the address type changes.
enum class AddressRule {
    TwoNodes,   // LUMA-8: NodeA and NodeB groups follow the address type
    NodeAOnly,  // the others: only NodeA follows; the hidden NodeB fields keep what they show
    Module,     // the WiFi module's page: IP address and mask only, no address type
};

struct BasicPageModel {
    const char* pageClass;
    AddressRule rule;
    bool showNodeB;        // the NodeB address group
    bool showDisplayHold;  // "Display Hold Time:"
};

inline constexpr std::size_t kMaxPagePorts = 4;

struct PortPageModel {
    const char* pageClass;
    const char* tabCaption;
    uint8_t readCode;  // the port block it edits: NodeA 0x04/0x08, NodeB 0x05/0x09
    uint8_t writeCode;
    std::size_t portCount;
    std::array<std::size_t, kMaxPagePorts> records;           // port k edits record records[k]
    int firstPortNumber;                                      // the number the first caption shows
    std::array<const char*, kMaxPagePorts> templateCaptions;  // before the first read
    bool showMode;
    bool showMerge;
    bool showUnicast;
    bool modeAlwaysOutput;  // the builder writes 1 whatever the mode list holds

    // Ports of the same direction share a sub-net only on pages with more than one port.
    bool KeepsSubNets() const { return portCount > 1; }
};

struct ArtNetModel {
    uint32_t type;
    const char* modelName;
    const char* dialogClass;
    std::array<const char*, 2> macLabels;  // the information panel's two MAC fields
    // The second MAC field is hidden once every read succeeded (all nodes but the LUMA-8).
    bool hideSecondMacWhenRead;
    const char* basicTabCaption;
    BasicPageModel basic;
    std::span<const PortPageModel> portPages;  // tabs 1 (and 2)
    SessionModel session;                      // reads, writes and finish command, in order

    std::size_t TabCount() const { return 1 + portPages.size(); }
};

std::span<const ArtNetModel> ArtNetModels();
// The model of a type code, or nullptr for a type outside the Art-Net family.
const ArtNetModel* FindArtNetModel(uint32_t type);

}  // namespace varlo::artnet
