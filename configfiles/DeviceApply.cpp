#include "configfiles/DeviceApply.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "configfiles/BlockDiff.h"
#include "configfiles/BlockJson.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceTargets.h"
#include "configfiles/FieldTable.h"
#include "discovery/DeviceFormat.h"

namespace varlo {

namespace {
std::string CodeText(uint8_t code) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

std::string WriteName(const BlockSpec& layout) {
    return std::string(layout.name) + " (" + CodeText(layout.writeCode) + ")";
}

// MAC_20250131-174501.json in the backup folder; a second backup in the same second gets _2.
std::optional<std::filesystem::path> SaveBackup(const std::filesystem::path& dir,
                                                const _CONFIGPARAM& record,
                                                const ConfigSession& session, std::string* error) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = MacFileName(record.byMac()) + "_" + stamp;
    const Json content = ConfigFileJson(record, session.Model(), SavedBlocks(session));
    for (int n = 1; n < 100; ++n) {
        const std::filesystem::path path =
            dir / (base + (n > 1 ? "_" + std::to_string(n) : std::string()) + ".json");
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) {
            continue;
        }
        if (CreateConfigFile(path, content, error)) {
            return path;
        }
        if (!std::filesystem::exists(path, ec)) {
            return std::nullopt;  // not a name clash: the folder refuses the file
        }
    }
    *error = "cannot find a free backup file name for " + base;
    return std::nullopt;
}
}  // namespace

std::string DeviceName(const _CONFIGPARAM& record) {
    return FormatMacColon(record.byMac()) + " " + ModelNameOf(record.dwType());
}

DeviceResult FailedResult(const _CONFIGPARAM& record, const std::string& reason) {
    return {"failed", DeviceName(record) + ": FAILED: " + reason + "\n"};
}

std::optional<std::string> ReadAll(ConfigSession& session) {
    const std::size_t read = session.Open();
    if (read == session.BlockCount()) {
        return std::nullopt;
    }
    const BlockSpec& failed = session.Model().blocks[read];
    return "reading " + std::string(failed.name) + " (code " + CodeText(failed.readCode) +
           ") failed: no valid reply";
}

DeviceResult ApplyToDevice(const _CONFIGPARAM& record, const BlockBuilder& build,
                           const ApplyOptions& options) {
    const uint32_t type = record.dwType();
    ConfigSession session(SessionModelOf(type), record.Identity());
    if (const std::optional<std::string> failed = ReadAll(session)) {
        return FailedResult(record, *failed + "; nothing written");
    }
    std::vector<std::optional<Bytes>> built(session.BlockCount());
    std::string error;
    if (!build(session, &built, &error)) {
        return FailedResult(record, error + "; nothing written");
    }
    std::vector<std::string> changes;
    std::vector<std::string> details;
    for (const BlockFields& b : FieldsOf(type).blocks) {
        if (built[b.index] && *built[b.index] != *session.Saved(b.index)) {
            changes.push_back(WriteName(session.Model().blocks[b.index]));
            for (const std::string& line : DiffBlock(b, *session.Saved(b.index), *built[b.index])) {
                details.push_back("    " + line + "\n");
            }
        }
    }
    const uint8_t finish = session.Model().finishCode;
    const std::string finishText =
        finish != BlockSpec::kNoCode ? ", then finish " + CodeText(finish) : std::string();
    if (changes.empty()) {
        return {"unchanged", DeviceName(record) + ": unchanged, nothing written\n"};
    }
    std::string list;
    for (const std::string& c : changes) {
        list += (list.empty() ? "" : ", ") + c;
    }
    if (options.dryRun) {
        std::string lines = DeviceName(record) + ": would write " + list + finishText + "\n";
        for (const std::string& d : details) {
            lines += d;
        }
        return {"would write", lines};
    }

    const std::optional<std::filesystem::path> backup =
        SaveBackup(options.backupDir, record, session, &error);
    if (!backup) {
        return FailedResult(record, "no backup: " + error + "; nothing written");
    }
    const ApplyResult result = session.Apply(built);
    std::string written;
    std::string failed;
    const auto append = [](std::string* to, const std::string& name) {
        *to += (to->empty() ? "" : ", ") + name;
    };
    for (std::size_t i = 0; i < result.outcomes.size(); ++i) {
        if (result.outcomes[i] == WriteOutcome::Written) {
            append(&written, WriteName(session.Model().blocks[i]));
        } else if (result.outcomes[i] == WriteOutcome::Failed) {
            append(&failed, WriteName(session.Model().blocks[i]));
        }
    }
    std::string text;
    if (!failed.empty()) {
        text += "write of " + failed + " refused or unanswered; ";
    }
    if (!written.empty()) {
        text += "written " + written + "; ";
    }
    if (result.finishSent) {
        text += "finish " + CodeText(finish) +
                (result.finishAcknowledged ? " acknowledged; " : " refused or unanswered; ");
    }
    text += "backup " + backup->string();
    if (result.AnyFailed()) {
        return FailedResult(record, text);
    }
    return {"written", DeviceName(record) + ": " + text + "\n"};
}

std::filesystem::path DefaultBackupDir() {
    if (const char* data = std::getenv("XDG_DATA_HOME");
        data && *data && std::filesystem::path(data).is_absolute()) {
        return std::filesystem::path(data) / "varlo" / "backups";
    }
#ifdef _WIN32
    if (const char* local = std::getenv("LOCALAPPDATA"); local && *local) {
        return std::filesystem::path(local) / "varlo" / "backups";
    }
#endif
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::filesystem::path(home) / ".local" / "share" / "varlo" / "backups";
    }
    return {};
}

}  // namespace varlo
