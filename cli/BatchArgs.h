#pragma once
// The options of the commands that work on many devices: which devices, how many at once, where
// files and backups go. Each command takes the ones it uses and refuses the rest.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceTargets.h"

namespace varlo::cli {

struct BatchArgs {
    CommonOptions common;
    std::vector<std::string> positional;  // files, MACs, KEY=VALUE, as the command reads them
    TargetSpec targets;                   // MACs among the positional words, --all, --model
    std::vector<MacBytes> to;             // --to MAC...
    bool toGiven = false;
    std::optional<std::string> output;  // -o
    int jobs = 0;                       // --jobs; 0: the default
    std::optional<std::string> backup;  // --backup
    bool dryRun = false;
    bool withAddresses = false;
    bool raw = false;                   // --raw
    bool noSecrets = false;             // --no-secrets
    std::optional<std::string> number;  // --number FIELD=START
};

// Option names a command accepts, e.g. {"--to", "--dry-run"}; "--jobs" and the common options
// are always accepted. Positional words that are MACs go to targets.macs when "MAC" is listed.
// False, with a message on standard error, on anything else.
bool ParseBatchArgs(const char* command, const std::vector<std::string>& args,
                    const std::vector<std::string>& accepted, BatchArgs* out);

int JobsOf(const BatchArgs& args);

// The folder backups go to (--backup, or the per-user data folder), created if missing. False,
// with a message on standard error, when there is none or it cannot be created.
bool PrepareBackupDir(const char* command, const BatchArgs& args, std::filesystem::path* dir);

// Every file named, loaded and checked before any device is asked: a bad one stops the whole
// command. False, with the message (ending in `consequence`) on standard error.
bool LoadFiles(const char* command, const BatchArgs& args, const char* consequence,
               std::vector<ConfigFile>* files);

// One search for the whole command, then the devices the wanted names. False, with the message on
// standard error, when the search socket cannot be created.
bool FindTargets(const TargetSpec& wanted, ResolvedTargets* out);

// One configuration file and the device it goes to: its own, or one named with --to.
struct FileJob {
    const ConfigFile* file;
    std::string fileName;
    _CONFIGPARAM target;
};

// Pairs the files with their devices: with --to, the one file with every device found (one
// search; the MACs not found go to targets->missing), otherwise each file with its own device
// (no search). False, with the message on standard error, when the search socket cannot be
// created.
bool FileJobs(const BatchArgs& args, const std::vector<ConfigFile>& files,
              std::vector<FileJob>* jobs, ResolvedTargets* targets);

}  // namespace varlo::cli
