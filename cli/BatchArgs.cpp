#include "cli/BatchArgs.h"

#include <algorithm>
#include <cstdio>

#include "cli/BatchConsole.h"
#include "configfiles/DeviceApply.h"
#include "discovery/SearchSession.h"

namespace varlo::cli {

namespace {
bool Accepts(const std::vector<std::string>& accepted, const std::string& name) {
    return std::find(accepted.begin(), accepted.end(), name) != accepted.end();
}

bool ParseJobs(const std::string& text, int* jobs) {
    if (text.empty() || text.size() > 3 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    *jobs = std::stoi(text);
    return *jobs >= 1 && *jobs <= kMaxJobs;
}
}  // namespace

bool ParseBatchArgs(const char* command, const std::vector<std::string>& args,
                    const std::vector<std::string>& accepted, BatchArgs* out) {
    if (!ParseCommonOptions(args, &out->common)) {
        return false;
    }
    const std::vector<std::string>& rest = out->common.rest;
    const auto fail = [command](const std::string& message) {
        std::fprintf(stderr, "varlo-cli %s: %s\n", command, message.c_str());
        return false;
    };
    const auto value = [&](std::size_t* i, std::string* v) {
        if (*i + 1 >= rest.size()) {
            return false;
        }
        *v = rest[++*i];
        return true;
    };
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        std::string v;
        const bool isOption = arg.size() > 1 && arg[0] == '-';
        if (isOption && arg != "--jobs" && !Accepts(accepted, arg)) {
            return fail("unknown option '" + arg + "'");
        }
        if (arg == "--jobs") {
            if (!value(&i, &v) || !ParseJobs(v, &out->jobs)) {
                return fail("--jobs needs a number from 1 to " + std::to_string(kMaxJobs));
            }
        } else if (arg == "-o") {
            if (!value(&i, &v)) {
                return fail("-o needs a file or folder");
            }
            out->output = v;
        } else if (arg == "--backup") {
            if (!value(&i, &v)) {
                return fail("--backup needs a folder");
            }
            out->backup = v;
        } else if (arg == "--model") {
            if (!value(&i, &v) || !ParseModel(v)) {
                return fail(
                    "--model needs a model name (LUMA-4, KV-70, ...) or a type code "
                    "(0x90000004)");
            }
            out->targets.model = ParseModel(v);
        } else if (arg == "--all") {
            out->targets.all = true;
        } else if (arg == "--dry-run") {
            out->dryRun = true;
        } else if (arg == "--raw") {
            out->raw = true;
        } else if (arg == "--no-secrets") {
            out->noSecrets = true;
        } else if (arg == "--number") {
            if (!value(&i, &v) || out->number) {
                return fail("--number needs one FIELD=START, e.g. ports.0.universe=0");
            }
            out->number = v;
        } else if (arg == "--with-addresses") {
            out->withAddresses = true;
        } else if (arg == "--to") {
            out->toGiven = true;
            while (i + 1 < rest.size() && ParseMac(rest[i + 1])) {
                out->to.push_back(*ParseMac(rest[++i]));
            }
            if (out->to.empty()) {
                return fail("--to needs one or more MAC addresses like 00:1A:2B:3C:4D:5E");
            }
        } else if (isOption) {
            return fail("unknown option '" + arg + "'");
        } else if (Accepts(accepted, "MAC") && ParseMac(arg)) {
            out->targets.macs.push_back(*ParseMac(arg));
        } else {
            out->positional.push_back(arg);
        }
    }
    return true;
}

int JobsOf(const BatchArgs& args) {
    return args.jobs > 0 ? args.jobs : kDefaultJobs;
}

bool PrepareBackupDir(const char* command, const BatchArgs& args, std::filesystem::path* dir) {
    if (args.backup && args.backup->empty()) {
        std::fprintf(stderr, "varlo-cli %s: --backup needs a folder name, not an empty word\n",
                     command);
        return false;
    }
    *dir = args.backup ? std::filesystem::path(*args.backup) : DefaultBackupDir();
    if (dir->empty()) {
        std::fprintf(stderr,
                     "varlo-cli %s: no per-user data folder for backups (HOME is not set); give "
                     "--backup DIR\n",
                     command);
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(*dir, ec);
    if (ec || !std::filesystem::is_directory(*dir)) {
        std::fprintf(stderr, "varlo-cli %s: cannot create the backup folder %s: %s\n", command,
                     dir->string().c_str(), ec ? ec.message().c_str() : "not a folder");
        return false;
    }
    return true;
}

bool LoadFiles(const char* command, const BatchArgs& args, const char* consequence,
               std::vector<ConfigFile>* files) {
    files->assign(args.positional.size(), ConfigFile{});
    for (std::size_t i = 0; i < files->size(); ++i) {
        std::string error;
        if (!LoadConfigFile(args.positional[i], &(*files)[i], &error)) {
            std::fprintf(stderr, "varlo-cli %s: %s%s\n", command, error.c_str(), consequence);
            return false;
        }
    }
    return true;
}

bool FindTargets(const TargetSpec& wanted, ResolvedTargets* out) {
    SearchSession search;
    if (!SearchDevices(search)) {
        return false;
    }
    *out = ResolveTargets(search.Table(), wanted);
    return true;
}

bool FileJobs(const BatchArgs& args, const std::vector<ConfigFile>& files,
              std::vector<FileJob>* jobs, ResolvedTargets* targets) {
    if (args.toGiven) {
        if (!FindTargets({args.to, false, std::nullopt}, targets)) {
            return false;
        }
        for (const _CONFIGPARAM& target : targets->found) {
            jobs->push_back({&files[0], args.positional[0], target});
        }
        return true;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        jobs->push_back({&files[i], args.positional[i], files[i].record});
    }
    return true;
}

}  // namespace varlo::cli
