#pragma once
// What a DMX port page of a node dialog shows and edits, without the window: one group per port
// of the model with its mode, universe, merge mode, frame rate and unicast destination, and the
// group captions. The Qt page binds its widgets to this state; varlo-cli edits it directly.
//
// The universe and frame-rate fields are bound to numbers the way a dialog's data exchange binds
// them: the field shows text and validation parses the texts into the numbers. What the operator
// typed is never written over with an older number: the numbers replace the texts only when a
// block is read, and for the ports the sub-net rule moves. On pages with more than one port the
// ports of the same direction share one sub-net (the upper four bits of the universe) while the
// operator types.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "artnet/ArtNetDmxParam.h"
#include "artnet/ArtNetItems.h"
#include "artnet/ArtNetModels.h"

namespace varlo::artnet {

enum class NumberKind { Universe, FrameRate };

// A number field that did not pass: the message to show and the field to put the focus into.
struct ValidationFailure {
    std::size_t port;
    NumberKind kind;
    std::string message;
    bool operator==(const ValidationFailure&) const = default;
};

inline constexpr uint32_t kMaxUniverse = 255;
// The label says 10-40; the check accepts 0 to 40.
inline constexpr uint32_t kMaxFrameRate = 40;

class DmxPortPage {
public:
    static constexpr int kNoSelection = -1;

    struct Port {
        int mode = kPortModeOutput;  // "Output" until a read
        int merge = kNoSelection;
        bool unicast = false;
        Ipv4Bytes unicastAddress{};
        // The numbers bound to the two edit fields, and what the fields show.
        uint32_t universe = 0;
        uint32_t frameRate = 0;
        std::string universeText = "0";
        std::string frameRateText = "0";
        bool unicastEnabled = true;  // the template's state until a fill or a mode change
        bool addressEnabled = true;
        std::string caption;
    };

    // The page as it opens: every mode "Output", merge lists empty, numbers 0, unicast controls
    // enabled, template captions.
    explicit DmxPortPage(const PortPageModel& model);

    const PortPageModel& Model() const { return m_model; }
    std::size_t PortCount() const { return m_model.portCount; }
    const Port& PortState(std::size_t k) const { return m_ports.at(k); }
    // The number a port's caption shows ("DMX 5" is the first port of the NodeB page).
    int PortNumber(std::size_t k) const { return m_model.firstPortNumber + static_cast<int>(k); }
    bool Filled() const { return m_filled; }

    // After a successful read of the page's block: fields, captions, enable rule. The sub-net
    // rule does not run.
    void Fill(const _ARTNETDMXPARAM& block);

    // The operator's edits. A universe text that is a number takes effect at once (the sub-net
    // rule, the captions) and returns the failure of its own check, which a window shows only
    // once the operator is done with the field (CheckField). A mode change runs the whole
    // validation and returns its failure. Neither writes over a field holding a typed text
    // that is not its number.
    std::optional<ValidationFailure> SetUniverseText(std::size_t k, std::string text);
    std::optional<ValidationFailure> SelectMode(std::size_t k, int index);
    void SetFrameRateText(std::size_t k, std::string text) { m_ports.at(k).frameRateText = text; }
    void SelectMerge(std::size_t k, int index) { m_ports.at(k).merge = index; }
    // A click on "Unicast:": the address field follows the box.
    void SetUnicast(std::size_t k, bool ticked);
    void SetUnicastAddress(std::size_t k, const Ipv4Bytes& ip) {
        m_ports.at(k).unicastAddress = ip;
    }

    // Parses the universe fields in port order, then the frame-rate fields, into their numbers,
    // and stops at the first field that fails. Fields before it take their new values, fields
    // after it keep their previous ones. The texts stay as they are.
    std::optional<ValidationFailure> Validate();
    // The same for one field alone: the check of a field the operator has left.
    std::optional<ValidationFailure> CheckField(std::size_t k, NumberKind kind);

    // GetNodeAParam / GetNodeBParam: validates (the caller shows a failure and goes on), then
    // builds from `saved`, the block as last read or written. Numbers out of range go out as
    // their low 8 bits.
    _ARTNETDMXPARAM Build(const _ARTNETDMXPARAM& saved,
                          std::optional<ValidationFailure>* failure = nullptr);

    // "DMX %d UNIVERSE = %d ( %X-%X )".
    static std::string Caption(int portNumber, uint8_t universe);

private:
    void SubNetRule(std::size_t changed);
    void WriteNumbers();
    void RebuildCaptions();
    void EnableRule(std::size_t k);

    PortPageModel m_model;
    std::array<Port, kMaxPagePorts> m_ports{};
    bool m_filled = false;
};

}  // namespace varlo::artnet
