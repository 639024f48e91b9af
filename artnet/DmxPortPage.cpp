#include "artnet/DmxPortPage.h"

#include <cstdio>
#include <limits>

#include "artnet/ArtNetItems.h"

namespace varlo::artnet {

namespace {
constexpr const char* kNotANumber = "Enter a positive integer.";

std::string RangeMessage(uint32_t max) {
    return "Enter an integer between 0 and " + std::to_string(max) + ".";
}

enum class Parse { Ok, NotANumber, TooLarge };

// An unsigned decimal number, spaces around it allowed. A number too large for 32 bits is
// reported as out of range and leaves the bound number as it was.
Parse ParseUnsigned(const std::string& text, uint32_t* out) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    std::size_t end = text.size();
    while (end > i && text[end - 1] == ' ') {
        --end;
    }
    if (i == end) {
        return Parse::NotANumber;
    }
    uint64_t value = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return Parse::NotANumber;
        }
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
        if (value > std::numeric_limits<uint32_t>::max()) {
            // Keep scanning: "99999999999x" is still not a number.
            for (++i; i < end; ++i) {
                if (text[i] < '0' || text[i] > '9') {
                    return Parse::NotANumber;
                }
            }
            return Parse::TooLarge;
        }
    }
    *out = static_cast<uint32_t>(value);
    return Parse::Ok;
}

// One field of the page's data exchange; false (with the failure) stops the exchange.
bool Exchange(const std::string& text, uint32_t max, uint32_t* number, std::size_t port,
              NumberKind kind, std::optional<ValidationFailure>* failure) {
    uint32_t value = 0;
    switch (ParseUnsigned(text, &value)) {
        case Parse::NotANumber:
            *failure = ValidationFailure{port, kind, kNotANumber};
            return false;
        case Parse::TooLarge:
            *failure = ValidationFailure{port, kind, RangeMessage(max)};
            return false;
        case Parse::Ok:
            break;
    }
    *number = value;  // stored before the range check, as entered
    if (value > max) {
        *failure = ValidationFailure{port, kind, RangeMessage(max)};
        return false;
    }
    return true;
}

uint8_t Low8(uint32_t v) {
    return static_cast<uint8_t>(v & 0xFF);
}
}  // namespace

DmxPortPage::DmxPortPage(const PortPageModel& model) : m_model(model) {
    for (std::size_t k = 0; k < m_model.portCount; ++k) {
        m_ports[k].caption = m_model.templateCaptions[k];
    }
}

std::string DmxPortPage::Caption(int portNumber, uint8_t universe) {
    char text[48];
    std::snprintf(text, sizeof text, "DMX %d UNIVERSE = %d ( %X-%X )", portNumber, universe,
                  universe >> 4, universe & 0x0F);
    return text;
}

void DmxPortPage::Fill(const _ARTNETDMXPARAM& block) {
    m_filled = true;
    for (std::size_t k = 0; k < m_model.portCount; ++k) {
        const _DMXPORTPARAM r = block.Port(m_model.records[k]);
        Port& p = m_ports[k];
        p.mode = kPortModeItems.IndexOf(r.PortMode());
        p.merge = kMergeModeItems.IndexOf(r.MergeMode());
        p.unicast = r.Unicast() != 0;
        p.unicastAddress = r.UnicastAddress();
        p.universe = r.Universe();
        p.frameRate = r.FrameRate();
    }
    RebuildCaptions();
    WriteNumbers();
    for (std::size_t k = 0; k < m_model.portCount; ++k) {
        EnableRule(k);
    }
}

std::optional<ValidationFailure> DmxPortPage::SetUniverseText(std::size_t k, std::string text) {
    Port& p = m_ports.at(k);
    p.universeText = std::move(text);
    uint32_t typed = 0;
    const bool isNumber = ParseUnsigned(p.universeText, &typed) == Parse::Ok;
    std::optional<ValidationFailure> failure = CheckField(k, NumberKind::Universe);
    // A text that is no number (yet: empty, half typed) moves nothing; the other ports follow
    // a universe only when it has one.
    if (isNumber) {
        if (m_model.KeepsSubNets()) {
            SubNetRule(k);
        } else {
            RebuildCaptions();
        }
    }
    return failure;
}

std::optional<ValidationFailure> DmxPortPage::CheckField(std::size_t k, NumberKind kind) {
    Port& p = m_ports.at(k);
    std::optional<ValidationFailure> failure;
    if (kind == NumberKind::Universe) {
        Exchange(p.universeText, kMaxUniverse, &p.universe, k, kind, &failure);
    } else {
        Exchange(p.frameRateText, kMaxFrameRate, &p.frameRate, k, kind, &failure);
    }
    return failure;
}

std::optional<ValidationFailure> DmxPortPage::SelectMode(std::size_t k, int index) {
    m_ports.at(k).mode = index;
    std::optional<ValidationFailure> failure = Validate();
    if (m_model.KeepsSubNets()) {
        SubNetRule(k);
    } else {
        RebuildCaptions();
    }
    EnableRule(k);
    return failure;
}

void DmxPortPage::SetUnicast(std::size_t k, bool ticked) {
    Port& p = m_ports.at(k);
    p.unicast = ticked;
    p.addressEnabled = ticked;
}

std::optional<ValidationFailure> DmxPortPage::Validate() {
    std::optional<ValidationFailure> failure;
    for (std::size_t k = 0; k < m_model.portCount; ++k) {
        if (!Exchange(m_ports[k].universeText, kMaxUniverse, &m_ports[k].universe, k,
                      NumberKind::Universe, &failure)) {
            return failure;
        }
    }
    for (std::size_t k = 0; k < m_model.portCount; ++k) {
        if (!Exchange(m_ports[k].frameRateText, kMaxFrameRate, &m_ports[k].frameRate, k,
                      NumberKind::FrameRate, &failure)) {
            return failure;
        }
    }
    return failure;
}

_ARTNETDMXPARAM DmxPortPage::Build(const _ARTNETDMXPARAM& saved,
                                   std::optional<ValidationFailure>* failure) {
    std::optional<ValidationFailure> f = Validate();
    if (failure) {
        *failure = std::move(f);
    }
    _ARTNETDMXPARAM b = saved;  // records not shown, kept bytes and the trailer as last read
    for (std::size_t k = 0; k < m_model.portCount; ++k) {
        const Port& p = m_ports[k];
        _DMXPORTPARAM r = b.Port(m_model.records[k]);
        r.SetPortMode(m_model.modeAlwaysOutput ? kPortModeOutput : SelectorList::WireOf(p.mode));
        r.SetUniverse(Low8(p.universe));
        r.SetFrameRate(Low8(p.frameRate));
        r.SetMergeMode(SelectorList::WireOf(p.merge));
        r.SetUnicast(p.unicast ? 1 : 0);
        r.SetUnicastAddress(p.unicastAddress);
        b.SetPort(m_model.records[k], r);
    }
    b.StampChecksum();
    return b;
}

void DmxPortPage::SubNetRule(std::size_t changed) {
    const Port& source = m_ports[changed];
    const uint8_t u = Low8(source.universe);
    for (std::size_t j = 0; j < m_model.portCount; ++j) {
        Port& p = m_ports[j];
        // A port without a selection matches no other port. A port whose field holds text
        // that is not its number (typed and not yet a number in range) is the operator's:
        // the rule neither writes over it nor changes the number behind it.
        uint32_t shown = 0;
        if (j == changed || source.mode == kNoSelection || p.mode != source.mode ||
            ParseUnsigned(p.universeText, &shown) != Parse::Ok || shown != p.universe) {
            continue;
        }
        p.universe = static_cast<uint32_t>((u & 0xF0) | (Low8(p.universe) & 0x0F));
        p.universeText = std::to_string(p.universe);
    }
    RebuildCaptions();
}

void DmxPortPage::WriteNumbers() {
    for (std::size_t k = 0; k < m_model.portCount; ++k) {
        m_ports[k].universeText = std::to_string(m_ports[k].universe);
        m_ports[k].frameRateText = std::to_string(m_ports[k].frameRate);
    }
}

void DmxPortPage::RebuildCaptions() {
    // A number out of range goes out as its low 8 bits, so that is what the caption names.
    for (std::size_t k = 0; k < m_model.portCount; ++k) {
        m_ports[k].caption = Caption(PortNumber(k), Low8(m_ports[k].universe));
    }
}

void DmxPortPage::EnableRule(std::size_t k) {
    Port& p = m_ports[k];
    const bool input = p.mode == 0;
    p.unicastEnabled = input;
    p.addressEnabled = input && p.unicast;
}

}  // namespace varlo::artnet
