#include "transport/ConfigSession.h"

#include <algorithm>

namespace varlo {

bool ApplyResult::AnyWriteAttempted() const {
    return std::any_of(outcomes.begin(), outcomes.end(), [](WriteOutcome o) {
        return o == WriteOutcome::Written || o == WriteOutcome::Failed;
    });
}

bool ApplyResult::AnyFailed() const {
    return (finishSent && !finishAcknowledged) ||
           std::find(outcomes.begin(), outcomes.end(), WriteOutcome::Failed) != outcomes.end();
}

ConfigSession::ConfigSession(const SessionModel& model, std::optional<DeviceIdentity> target)
    : m_model(model), m_target(target), m_saved(model.blocks.size()) {}

std::size_t ConfigSession::Open() {
    std::size_t n = 0;
    while (n < m_saved.size() && Read(n)) {
        ++n;
    }
    return n;
}

bool ConfigSession::Read(std::size_t i) {
    const BlockSpec& entry = m_model.blocks[i];
    if (!m_target) {
        return false;
    }
    const std::optional<Bytes> reply =
        QueryReply(*m_target, m_model.shape(entry.readCode, *m_target), entry.ReplySize());
    if (!reply) {
        return false;
    }
    m_saved.at(i) =
        Bytes(reply->begin() + static_cast<std::ptrdiff_t>(entry.replyOffset), reply->end());
    return true;
}

std::optional<std::size_t> ConfigSession::IndexOf(uint8_t readCode) const {
    for (std::size_t i = 0; i < m_model.blocks.size(); ++i) {
        if (m_model.blocks[i].readCode == readCode) {
            return i;
        }
    }
    return std::nullopt;
}

bool ConfigSession::AllRead() const {
    return std::all_of(m_saved.begin(), m_saved.end(),
                       [](const std::optional<Bytes>& b) { return b.has_value(); });
}

WriteOutcome ConfigSession::Commit(std::size_t i, const Bytes& built) {
    const BlockSpec& entry = m_model.blocks[i];
    std::optional<Bytes>& saved = m_saved.at(i);
    if (!entry.Writable()) {
        return WriteOutcome::NotBuilt;
    }
    if (!saved || !m_target) {
        return WriteOutcome::NotRead;
    }
    // A block of the wrong size would be a wrong frame; it is a caller's error, never sent.
    if (built.size() != entry.size) {
        return WriteOutcome::NotBuilt;
    }
    if (built == *saved) {
        return WriteOutcome::Unchanged;
    }
    if (!WriteBytesTo(*m_target, entry.writeCode, built.data(), built.size())) {
        return WriteOutcome::Failed;
    }
    saved = built;
    return WriteOutcome::Written;
}

ApplyResult ConfigSession::Apply(const std::vector<std::optional<Bytes>>& built) {
    ApplyResult result;
    result.outcomes.assign(m_saved.size(), WriteOutcome::NotBuilt);
    for (std::size_t i = 0; i < m_saved.size() && i < built.size(); ++i) {
        if (built[i]) {
            result.outcomes[i] = Commit(i, *built[i]);
        }
    }
    if (m_model.finishCode != BlockSpec::kNoCode && result.AnyWriteAttempted()) {
        result.finishSent = true;
        result.finishAcknowledged = SendCommand(m_model.finishCode);
    }
    return result;
}

bool ConfigSession::SendCommand(uint8_t code) {
    return m_target && SendCommandTo(*m_target, m_model.shape, code);
}

}  // namespace varlo
