// varlo-cli dump
#include <cstdio>

#include "cli/Commands.h"

namespace varlo::cli {

int DumpCommand(const std::vector<std::string>&) {
    std::fprintf(stderr, "varlo-cli dump: not available yet\n");
    return 1;
}

}  // namespace varlo::cli
