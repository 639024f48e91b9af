#include "artnet/ArtNetConfig.h"

#include <cstdlib>

#include "artnet/ArtNetCommands.h"
#include "discovery/DeviceFormat.h"

namespace varlo::artnet {

namespace {
template <typename Block>
Bytes BytesOf(const Block& b) {
    return Bytes(b.data(), b.data() + b.size());
}

// Where a model's block sits in its session; the table lists every block a page edits.
std::size_t IndexIn(const ConfigSession& session, uint8_t readCode) {
    const std::optional<std::size_t> i = session.IndexOf(readCode);
    if (!i) {
        std::abort();
    }
    return *i;
}
}  // namespace

ArtNetInfoPanel ArtNetInfoPanel::From(const ArtNetDeviceInfo& info) {
    ArtNetInfoPanel p;
    p.filled = true;
    p.texts[kHardware] = info.HardwareVersion();
    p.texts[kFirmware] = info.FirmwareVersion();
    p.texts[kModuleName] = info.ModuleName();
    p.texts[kFirstMac] = FormatMacDash(info.FirstMac());
    p.texts[kSecondMac] = FormatMacDash(info.SecondMac());
    p.texts[kSerialNumber] = std::to_string(info.SerialNumber());
    return p;
}

ArtNetConfig::ArtNetConfig(const ArtNetModel& model, std::optional<DeviceIdentity> target)
    : m_model(model), m_session(model.session, target) {
    m_infoIndex = IndexIn(m_session, kReadDeviceInfo);
    m_basicIndex = IndexIn(m_session, kReadBasicParam);
    if (model.basic.rule == AddressRule::Module) {
        m_module.emplace();
    } else {
        m_basic.emplace(model.basic);
    }
    for (const PortPageModel& page : model.portPages) {
        m_ports.emplace_back(page);
        m_portIndexes.push_back(IndexIn(m_session, page.readCode));
    }
}

std::size_t ArtNetConfig::Open() {
    const std::size_t n = m_session.Open();
    FillFromSaved();
    return n;
}

void ArtNetConfig::FillFromSaved() {
    if (m_session.IsRead(m_infoIndex)) {
        m_info = ArtNetInfoPanel::From(SavedOr<ArtNetDeviceInfo>(m_infoIndex));
    }
    if (m_session.IsRead(m_basicIndex)) {
        if (m_basic) {
            m_basic->Fill(SavedOr<_ARTNETBASICPARAM>(m_basicIndex));
        } else {
            m_module->Fill(SavedOr<_RT5350BASICPARAM>(m_basicIndex));
        }
    }
    for (std::size_t p = 0; p < m_ports.size(); ++p) {
        if (m_session.IsRead(m_portIndexes[p])) {
            m_ports[p].Fill(SavedOr<_ARTNETDMXPARAM>(m_portIndexes[p]));
        }
    }
}

bool ArtNetConfig::SecondMacShown() const {
    return !(m_model.hideSecondMacWhenRead && m_session.AllRead());
}

template <typename Block>
Block ArtNetConfig::SavedOr(std::size_t i) const {
    Block b;  // zero bytes while the block was not read; such a block is never written
    const std::optional<Bytes>& saved = m_session.Saved(i);
    if (saved && saved->size() == Block::kSize) {
        b.Assign(saved->data());
    }
    return b;
}

ArtNetConfig::Built ArtNetConfig::Build() {
    Built built;
    built.blocks.resize(m_session.BlockCount());
    if (m_basic) {
        built.blocks[m_basicIndex] =
            BytesOf(m_basic->Build(SavedOr<_ARTNETBASICPARAM>(m_basicIndex)));
    } else {
        built.blocks[m_basicIndex] =
            BytesOf(m_module->Build(SavedOr<_RT5350BASICPARAM>(m_basicIndex)));
    }
    for (std::size_t p = 0; p < m_ports.size(); ++p) {
        std::optional<ValidationFailure> failure;
        built.blocks[m_portIndexes[p]] =
            BytesOf(m_ports[p].Build(SavedOr<_ARTNETDMXPARAM>(m_portIndexes[p]), &failure));
        if (failure) {
            built.failures.push_back({p, std::move(*failure)});
        }
    }
    return built;
}

ApplyResult ArtNetConfig::Commit(const Built& built) {
    return m_session.Apply(built.blocks);
}

ApplyResult ArtNetConfig::Apply(std::vector<PortPageFailure>* failures) {
    Built built = Build();
    if (failures) {
        *failures = built.failures;
    }
    return Commit(built);
}

bool ArtNetConfig::Default() {
    return m_session.SendCommand(kDefault);
}

}  // namespace varlo::artnet
