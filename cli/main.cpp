// varlo-cli: the headless front end over the same core as the window.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {
struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    const char* usage;
};

const Command kCommands[] = {
    {"search", varlo::cli::SearchCommand, "search [--target A[:P]] [--demo] [--json]"},
    {"dump", varlo::cli::DumpCommand, "dump MAC [--target A[:P]] [--demo]"},
    {"com", varlo::cli::ComCommand,
     "com [--registry FILE] [--admin PATH] [--demo] [--all] [--json]"},
};

int Usage() {
    std::fprintf(stderr, "usage: varlo-cli COMMAND [OPTIONS]\n");
    for (const Command& c : kCommands) {
        std::fprintf(stderr, "  varlo-cli %s\n", c.usage);
    }
    std::fprintf(stderr,
                 "--target sends to ADDRESS[:PORT] instead of 255.255.255.255:63879;\n"
                 "--demo runs the built-in simulated rig on loopback.\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            return c.run(args);
        }
    }
    return Usage();
}
