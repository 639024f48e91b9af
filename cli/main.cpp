// varlo-cli: the headless front end over the same core as the window.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/BatchConsole.h"
#include "cli/Commands.h"
#include "configfiles/DeviceTargets.h"
#include "configfiles/FieldValues.h"
#include "discovery/DeviceType.h"
#include "transport/TransportSettings.h"

namespace {
struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    const char* usage;
};

const Command kCommands[] = {
    {"search", varlo::cli::SearchCommand, "search [--target A[:P]] [--demo] [--json]"},
    {"dump", varlo::cli::DumpCommand,
     "dump MAC [-o FILE] | dump (MAC... | --model NAME | --all) -o DIR  [--no-secrets] "
     "[--jobs N]"},
    {"diff", varlo::cli::DiffCommand, "diff FILE... | diff FILE --to MAC...  [--jobs N]"},
    {"restore", varlo::cli::RestoreCommand,
     "restore FILE... | restore FILE --to MAC... [--with-addresses]  [--dry-run] [--raw] "
     "[--backup DIR] [--jobs N]"},
    {"set", varlo::cli::SetCommand,
     "set (MAC... | --model NAME | --all) FIELD=VALUE... [--number FIELD=START]  [--dry-run] "
     "[--backup DIR] [--jobs N]"},
    {"export-csv", varlo::cli::ExportCsvCommand,
     "export-csv [MAC... | --model NAME | --all] [-o FILE] [--jobs N]"},
    {"com", varlo::cli::ComCommand,
     "com [--registry FILE] [--admin PATH] [--demo] [--all] [--json]"},
};

constexpr const char* kGeneralHelp =
    "--target sends to ADDRESS[:PORT] instead of 255.255.255.255:63879;\n"
    "--demo runs the built-in simulated rig on loopback.\n"
    "dump, diff, restore and set search once for all the devices they name (restore and diff\n"
    "of files need no search) and work on --jobs devices at once (16). restore and set save each\n"
    "device's configuration to a backup file before writing to it (--backup DIR, by default\n"
    "$XDG_DATA_HOME/varlo/backups or ~/.local/share/varlo/backups), and hold a device busy for\n"
    "other runs while they work on it (a lock file there). ^C, SIGTERM or a closed output stops\n"
    "them starting devices: the started ones finish, every device is reported, the exit status\n"
    "is not 0; a second ^C ends at once and names the devices that may be partly written.\n"
    "restore refuses a file whose fields hold values no dialog writes, unless the device holds\n"
    "the same value now or --raw is given. dump --no-secrets leaves WiFi pass phrases and WEP\n"
    "keys out; restoring such a file keeps the device's own. Run 'varlo-cli set --help' for the\n"
    "fields set changes.\n";

constexpr const char* kFieldHelp =
    "FIELD is a path as 'varlo-cli dump' prints it under \"fields\": deviceName,\n"
    "nodeA.static.localIp, ports.1.universe, tcpClient.destinations.0.port. Array elements are\n"
    "numbers after a dot (ports[1] works too). Prefix the block when two blocks have the field:\n"
    "_ARTNETBASICPARAM.deviceName; the LUMA-8's two port blocks are _ARTNETDMXPARAM@0x04 (ports\n"
    "1-4) and _ARTNETDMXPARAM@0x05 (ports 5-8). A list takes its item text or its number, an\n"
    "address a dotted quad, a WEP key its hex digits. Only fields the dialogs let an operator\n"
    "change are taken, within the dialogs' ranges. Fields by model (--model NAME for one):\n";

int Usage(std::FILE* to) {
    std::fprintf(to, "usage: varlo-cli COMMAND [OPTIONS]\n");
    for (const Command& c : kCommands) {
        std::fprintf(to, "  varlo-cli %s\n", c.usage);
    }
    std::fputs(kGeneralHelp, to);
    return to == stdout ? 0 : 2;
}

void PrintFields(uint32_t type) {
    using namespace varlo;
    // The serial server's fields hold for every type without a dialog of its own.
    const bool serial = &FieldsOf(type) == &FieldsOf(varlo::DEVTYPE_KV70);
    std::printf("%s%s:\n", ModelNameOf(type).c_str(), serial ? " and other serial servers" : "");
    for (const BlockFields& b : FieldsOf(type).blocks) {
        for (const FieldSpec& f : b.fields) {
            if (f.editable) {
                std::printf("  %-48s %s\n", (b.label + "." + f.path).c_str(),
                            DescribeField(f).c_str());
            }
        }
    }
}

int SetHelp(const std::vector<std::string>& args) {
    std::printf("usage: varlo-cli %s\n%s", kCommands[4].usage, kFieldHelp);
    std::vector<uint32_t> types;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--model") {
            if (const auto type = varlo::ParseModel(args[i + 1])) {
                types.push_back(*type);
            }
        }
    }
    if (types.empty()) {
        types = varlo::ModelTypes();
    }
    for (const uint32_t type : types) {
        PrintFields(type);
    }
    return 0;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            return true;
        }
    }
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage(stderr);
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
        return Usage(stdout);
    }
    // ^C, SIGTERM and a closed pipe stop a batch between devices, never inside one.
    varlo::cli::InstallInterrupts();
    // Unlike the dialogs, the command line takes each reply the moment it arrives.
    varlo::Transport().replyEndsStep = true;
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            if (AsksForHelp(args)) {
                if (std::strcmp(c.name, "set") == 0) {
                    return SetHelp(args);
                }
                std::printf("usage: varlo-cli %s\n%s", c.usage, kGeneralHelp);
                return 0;
            }
            return c.run(args);
        }
    }
    return Usage(stderr);
}
