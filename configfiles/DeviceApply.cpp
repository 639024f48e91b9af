#include "configfiles/DeviceApply.h"

#include <cstdlib>
#include <ctime>

#include "configfiles/BlockJson.h"
#include "configfiles/CodeText.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceTargets.h"
#include "configfiles/FieldTable.h"
#include "configfiles/FilePlatform.h"
#include "discovery/DeviceFormat.h"

namespace varlo {

namespace {
std::string WriteName(const BlockSpec& layout) {
    return std::string(layout.name) + " (" + CodeText(layout.writeCode) + ")";
}

// MAC_20250131-174501.json in the backup folder; a second backup in the same second gets _2.
std::optional<std::filesystem::path> SaveBackup(const std::filesystem::path& dir,
                                                const _CONFIGPARAM& record,
                                                const ConfigSession& session, std::string* error) {
    const std::tm local = LocalTime(std::time(nullptr));
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = MacFileName(record.byMac()) + "_" + stamp;
    const Json content = ConfigFileJson(record, session.Model(), SavedBlocks(session));
    for (int n = 1; n < 100; ++n) {
        std::string name = base;
        if (n > 1) {
            name.append("_").append(std::to_string(n));
        }
        const std::filesystem::path path = dir / (name + ".json");
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

DeviceResult BusyResult(const _CONFIGPARAM& record, const std::filesystem::path& lock) {
    return {"busy",
            DeviceName(record) + ": BUSY: another run is working on this device (" + lock.string() +
                "); nothing written\n",
            {}};
}

// What a dry run prints under its line: every field that would change, then the rules' notes.
std::string PlanLines(const DevicePlan& plan) {
    std::string lines;
    for (const FieldChange& c : plan.changes) {
        lines += "    " + c.Line() + "\n";
    }
    for (const std::string& note : plan.built.notes) {
        lines += "    note: " + note + "\n";
    }
    return lines;
}

// Step 3 on a session read under the lock.
DeviceResult Write(const _CONFIGPARAM& record, ConfigSession& session, const DevicePlan& plan,
                   const ApplyOptions& options) {
    std::string error;
    const std::optional<std::filesystem::path> backup =
        SaveBackup(options.backupDir, record, session, &error);
    if (!backup) {
        return FailedResult(record, "no backup: " + error + "; nothing written");
    }
    if (options.onWrites) {
        options.onWrites(record, true);
    }
    const ApplyResult result = session.Apply(plan.built.blocks);
    if (options.onWrites) {
        options.onWrites(record, false);
    }
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
        text += "finish " + CodeText(session.Model().finishCode) +
                (result.finishAcknowledged ? " acknowledged; " : " refused or unanswered; ");
    }
    text += "backup " + backup->string();
    DeviceResult out = result.AnyFailed()
                           ? FailedResult(record, text)
                           : DeviceResult{"written", DeviceName(record) + ": " + text + "\n", {}};
    for (const std::string& note : plan.built.notes) {
        out.lines += "    note: " + note + "\n";
    }
    out.backup = *backup;
    return out;
}

// Steps 2 and 3 on a session read whole; the caller holds the lock unless it is a dry run.
DeviceResult PlanAndWrite(const _CONFIGPARAM& record, ConfigSession& session,
                          const BlockBuilder& build, const ApplyOptions& options) {
    DevicePlan plan;
    if (!PlanChanges(record.dwType(), session, build, &plan)) {
        if (plan.built.skip) {
            return {"skipped", DeviceName(record) + ": skipped: " + plan.built.error + "\n", {}};
        }
        return FailedResult(record, plan.built.error + "; nothing written");
    }
    if (plan.Empty()) {
        return {"unchanged", DeviceName(record) + ": unchanged, nothing written\n", {}};
    }
    if (options.dryRun) {
        std::string list;
        for (const std::size_t i : plan.changedBlocks) {
            list += (list.empty() ? "" : ", ") + WriteName(session.Model().blocks[i]);
        }
        const uint8_t finish = session.Model().finishCode;
        if (finish != BlockSpec::kNoCode) {
            list += ", then finish " + CodeText(finish);
        }
        return {"would write",
                DeviceName(record) + ": would write " + list + "\n" + PlanLines(plan),
                {}};
    }
    return Write(record, session, plan, options);
}

std::filesystem::path LockFile(const ApplyOptions& options, const _CONFIGPARAM& record) {
    return options.backupDir / (MacFileName(record.byMac()) + ".lock");
}
}  // namespace

DeviceResult SaveDeviceFile(const _CONFIGPARAM& record, const std::filesystem::path& path,
                            bool withSecrets) {
    ConfigSession session(SessionModelOf(record.dwType()), record.Identity());
    if (const std::optional<std::string> failed = ReadAll(session)) {
        return FailedResult(record, *failed + "; no file written");
    }
    std::string error;
    if (!SaveConfigFile(path,
                        ConfigFileJson(record, session.Model(), SavedBlocks(session), withSecrets),
                        &error)) {
        return FailedResult(record, error);
    }
    return {"saved",
            DeviceName(record) + ": saved " + path.string() +
                (withSecrets ? "" : " (without pass phrases and WEP keys)") + "\n",
            {}};
}

std::string DeviceFileName(const _CONFIGPARAM& record) {
    return MacFileName(record.byMac()) + ".json";
}

std::string DeviceName(const _CONFIGPARAM& record) {
    return FormatMacColon(record.byMac()) + " " + ModelNameOf(record.dwType());
}

DeviceResult FailedResult(const _CONFIGPARAM& record, const std::string& reason) {
    return {"failed", DeviceName(record) + ": FAILED: " + reason + "\n", {}};
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

bool PlanChanges(uint32_t type, const ConfigSession& session, const BlockBuilder& build,
                 DevicePlan* plan) {
    plan->built = BuiltBlocks{};
    plan->built.blocks.assign(session.BlockCount(), std::nullopt);
    plan->changedBlocks.clear();
    plan->changes.clear();
    if (!build(session, &plan->built)) {
        return false;
    }
    for (const BlockFields& b : FieldsOf(type).blocks) {
        const std::optional<Bytes>& built = plan->built.blocks[b.index];
        if (built && *built != *session.Saved(b.index)) {
            plan->changedBlocks.push_back(b.index);
            for (FieldChange& c : DiffFields(b, *session.Saved(b.index), *built)) {
                plan->changes.push_back(std::move(c));
            }
        }
    }
    return true;
}

DeviceResult ApplyToDevice(const _CONFIGPARAM& record, const BlockBuilder& build,
                           const ApplyOptions& options) {
    std::optional<DeviceLock> lock;
    if (!options.dryRun) {
        lock.emplace(LockFile(options, record));
        if (lock->Status() == DeviceLock::State::Busy) {
            return BusyResult(record, LockFile(options, record));
        }
        if (lock->Status() == DeviceLock::State::Failed) {
            return FailedResult(record, lock->Error() + "; nothing written");
        }
    }
    ConfigSession session(SessionModelOf(record.dwType()), record.Identity());
    if (const std::optional<std::string> failed = ReadAll(session)) {
        return FailedResult(record, *failed + "; nothing written");
    }
    return PlanAndWrite(record, session, build, options);
}

DeviceResult WritePlanned(const _CONFIGPARAM& record, const ConfigSession& previewed,
                          const DevicePlan& plan, const ApplyOptions& options) {
    if (plan.Empty()) {
        return {"unchanged", DeviceName(record) + ": unchanged, nothing written\n", {}};
    }
    DeviceLock lock(LockFile(options, record));
    if (lock.Status() == DeviceLock::State::Busy) {
        return BusyResult(record, LockFile(options, record));
    }
    if (lock.Status() == DeviceLock::State::Failed) {
        return FailedResult(record, lock.Error() + "; nothing written");
    }
    ConfigSession session(previewed.Model(), record.Identity());
    if (const std::optional<std::string> failed = ReadAll(session)) {
        return FailedResult(record, *failed + "; nothing written");
    }
    // The writable blocks decide: the device information may read differently each time.
    for (std::size_t i = 0; i < session.BlockCount(); ++i) {
        if (session.Model().blocks[i].Writable() && session.Saved(i) != previewed.Saved(i)) {
            return FailedResult(record,
                                "the device changed since the preview; nothing written (preview "
                                "it again)");
        }
    }
    return Write(record, session, plan, options);
}

std::filesystem::path DefaultBackupDir() {
    if (const char* data = std::getenv("XDG_DATA_HOME");
        data && *data && std::filesystem::path(data).is_absolute()) {
        return std::filesystem::path(data) / "varlo" / "backups";
    }
    if (const std::optional<std::filesystem::path> local = PlatformDataFolder()) {
        return *local / "varlo" / "backups";
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::filesystem::path(home) / ".local" / "share" / "varlo" / "backups";
    }
    return {};
}

}  // namespace varlo
