#include "serialserver/SerialServerConfig.h"

namespace varlo {

_WIRELESSPARAM g_WirelessParam;

}  // namespace varlo

namespace varlo::serialserver {

namespace {
template <typename Block>
Bytes BytesOf(const Block& block) {
    return Bytes(block.data(), block.data() + block.size());
}
}  // namespace

SerialServerConfig::SerialServerConfig(std::optional<DeviceIdentity> target)
    : m_session(GetSerialServerModel().session, target) {}

std::size_t SerialServerConfig::Open() {
    const std::size_t read = m_session.Open();
    if (const auto block = Saved<SerialDeviceInfo>(kInfoBlock)) {
        info.Fill(*block);
    }
    if (const auto block = Saved<_BASICPARAM>(kBasicBlock)) {
        basic.Fill(*block);
    }
    if (const auto block = Saved<_WIRELESSPARAM>(kWirelessBlock)) {
        m_wireless = *block;
        g_WirelessParam = *block;
        wireless.Fill(*block);
    }
    if (const auto block = Saved<_SERIALPARAM>(kSerialBlock)) {
        serial.Fill(*block);
    }
    if (const auto block = Saved<_OPMODEPARAM>(kOpModeBlock)) {
        opMode.Fill(*block);
    }
    return read;
}

const _WIRELESSPARAM& SerialServerConfig::WirelessStored() const {
    return m_wireless ? *m_wireless : g_WirelessParam;
}

_OPMODEPARAM SerialServerConfig::GetOpModeParam() const {
    // Unread, the block is never written; zero bytes stand in for its saved copy.
    return opMode.Build(Saved<_OPMODEPARAM>(kOpModeBlock).value_or(_OPMODEPARAM{}));
}

std::vector<std::optional<Bytes>> SerialServerConfig::BuildBlocks() const {
    std::vector<std::optional<Bytes>> built(m_session.BlockCount());
    built[kBasicBlock] = BytesOf(GetBasicParam());
    built[kWirelessBlock] = BytesOf(GetWirelessParam());
    built[kSerialBlock] = BytesOf(GetSerialParam());
    built[kOpModeBlock] = BytesOf(GetOpModeParam());
    return built;
}

ApplyResult SerialServerConfig::Apply() {
    ApplyResult result = m_session.Apply(BuildBlocks());
    if (result.outcomes[kWirelessBlock] == WriteOutcome::Written) {
        m_wireless = Saved<_WIRELESSPARAM>(kWirelessBlock);
        g_WirelessParam = *m_wireless;
    }
    return result;
}

}  // namespace varlo::serialserver
