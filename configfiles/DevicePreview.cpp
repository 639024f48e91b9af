#include "configfiles/DevicePreview.h"

#include "configfiles/BlockDiff.h"
#include "configfiles/BlockJson.h"
#include "configfiles/FieldTable.h"

namespace varlo {

FieldChange SplitDiffLine(const std::string& line) {
    // Paths hold no ": "; a value might hold " -> " (a name), the first one after the path is
    // the separator unless the value before it is a quoted text that goes on.
    FieldChange change;
    const std::size_t colon = line.find(": ");
    if (colon == std::string::npos) {
        change.field = line;
        return change;
    }
    change.field = line.substr(0, colon);
    const std::string values = line.substr(colon + 2);
    std::size_t arrow = values.find(" -> ");
    if (!values.empty() && values[0] == '"') {
        // A quoted text ends at a quote followed by the separator.
        const std::size_t end = values.find("\" -> ");
        if (end != std::string::npos) {
            arrow = end + 1;
        }
    }
    if (arrow == std::string::npos) {
        change.after = values;
        return change;
    }
    change.before = values.substr(0, arrow);
    change.after = values.substr(arrow + 4);
    return change;
}

DevicePreview PreviewDevice(const _CONFIGPARAM& record, const BlockBuilder& build) {
    DevicePreview preview;
    preview.record = record;
    const uint32_t type = record.dwType();
    ConfigSession session(SessionModelOf(type), record.Identity());
    if (const std::optional<std::string> failed = ReadAll(session)) {
        preview.error = *failed;
        return preview;
    }
    for (std::size_t i = 0; i < session.BlockCount(); ++i) {
        preview.saved.push_back(*session.Saved(i));
    }
    preview.built.assign(session.BlockCount(), std::nullopt);
    std::string error;
    if (!build(session, &preview.built, &error)) {
        preview.error = error;
        preview.built.assign(session.BlockCount(), std::nullopt);
        return preview;
    }
    for (const BlockFields& b : FieldsOf(type).blocks) {
        const std::optional<Bytes>& built = preview.built[b.index];
        if (!built || *built == preview.saved[b.index]) {
            continue;
        }
        for (const std::string& line : DiffBlock(b, preview.saved[b.index], *built)) {
            preview.changes.push_back(SplitDiffLine(line));
        }
    }
    return preview;
}

DeviceResult ApplyPreview(const DevicePreview& preview, const ApplyOptions& options) {
    if (!preview.Ok()) {
        return FailedResult(preview.record, preview.error + "; nothing written");
    }
    return ApplyToDevice(
        preview.record,
        [&](const ConfigSession& session, std::vector<std::optional<Bytes>>* built,
            std::string* error) {
            for (std::size_t i = 0; i < session.BlockCount(); ++i) {
                if (i >= preview.saved.size() || *session.Saved(i) != preview.saved[i]) {
                    *error = std::string(session.Model().blocks[i].name) +
                             " changed on the device since the preview";
                    return false;
                }
            }
            *built = preview.built;
            return true;
        },
        options);
}

}  // namespace varlo
