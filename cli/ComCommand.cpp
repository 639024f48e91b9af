// varlo-cli com
#include <cstdio>

#include "cli/Commands.h"

namespace varlo::cli {

int ComCommand(const std::vector<std::string>&) {
    std::fprintf(stderr, "varlo-cli com: not available yet\n");
    return 1;
}

}  // namespace varlo::cli
