#pragma once
// What every parameter dialog does with a device, without the windows: read its blocks in order
// when it opens, keep a saved copy of each block, and on Apply write exactly the blocks whose
// built bytes differ from their saved copy, then the family's finish command when any write was
// attempted. The dialogs of both families and the command line share it, so the rules that keep
// a device's settings intact live in one place:
// - each read runs only when every read before it succeeded;
// - a saved copy is empty until its read succeeded, and a block without one is never written
//   (writing a page's empty defaults over a device's settings would corrupt it);
// - a write that failed keeps the saved copy, so the next Apply sends the block again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "transport/ConfigExchange.h"
#include "transport/FrameHeader.h"

namespace varlo {

// One block a dialog reads when it opens, and writes back on Apply when it has a write code.
struct BlockSpec {
    const char* name;  // as `varlo-cli dump` prints it: "_BASICPARAM", "deviceInfo"
    uint8_t readCode;
    std::size_t size;         // bytes kept as the saved copy
    std::size_t replyOffset;  // 8 for a parameter block; 0 for the device information, kept whole
    uint8_t writeCode;        // kNoCode: never written

    static constexpr uint8_t kNoCode = 0;

    std::size_t ReplySize() const { return replyOffset + size; }
    bool Writable() const { return writeCode != kNoCode; }
};

// The exchanges of one dialog: the blocks in reading order (writes go in the same order) and
// the command that ends an Apply which attempted a write, if the family has one.
struct SessionModel {
    RequestShape shape;
    std::span<const BlockSpec> blocks;
    uint8_t finishCode = BlockSpec::kNoCode;
};

enum class WriteOutcome {
    NotBuilt,   // the caller built nothing for it (read-only, or not taken part)
    NotRead,    // never read in this session: never written
    Unchanged,  // equal to the saved copy: nothing sent
    Written,    // sent and acknowledged: the saved copy is now the built block
    Failed,     // sent and not acknowledged: the saved copy stays, the next Apply resends it
};

struct ApplyResult {
    std::vector<WriteOutcome> outcomes;  // per block of the model
    bool finishSent = false;
    bool finishAcknowledged = false;

    bool AnyWriteAttempted() const;
    bool AnyFailed() const;  // a write or the finish command
};

class ConfigSession {
public:
    // Without a target (the dialog's device index outside the table) nothing is ever sent.
    ConfigSession(const SessionModel& model, std::optional<DeviceIdentity> target);

    const SessionModel& Model() const { return m_model; }
    const std::optional<DeviceIdentity>& Target() const { return m_target; }

    // Reads the blocks in order, each only when every read before it succeeded; returns how
    // many succeeded.
    std::size_t Open();
    // Reads block i alone and keeps it as the saved copy; false on failure (nothing kept).
    bool Read(std::size_t i);

    std::size_t BlockCount() const { return m_saved.size(); }
    std::optional<std::size_t> IndexOf(uint8_t readCode) const;
    bool IsRead(std::size_t i) const { return m_saved.at(i).has_value(); }
    bool AllRead() const;
    // The saved copy of block i, or nothing before its read succeeded.
    const std::optional<Bytes>& Saved(std::size_t i) const { return m_saved.at(i); }

    // Commits one built block: written when it was read and differs from its saved copy.
    WriteOutcome Commit(std::size_t i, const Bytes& built);
    // An Apply: commits the built blocks in model order (built[i] empty: NotBuilt), then sends
    // the finish command when any write was attempted, whatever the writes returned.
    ApplyResult Apply(const std::vector<std::optional<Bytes>>& built);
    // A bodiless command such as Default; its result is only reported.
    bool SendCommand(uint8_t code);

private:
    SessionModel m_model;
    std::optional<DeviceIdentity> m_target;
    std::vector<std::optional<Bytes>> m_saved;
};

}  // namespace varlo
