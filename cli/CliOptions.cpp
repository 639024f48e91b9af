#include "cli/CliOptions.h"

#include <cstdio>

#include "sim/DemoMode.h"
#include "transport/TransportSettings.h"

namespace varlo::cli {

bool ParseCommonOptions(const std::vector<std::string>& args, CommonOptions* options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--target") {
            TransportSettings& t = Transport();
            if (i + 1 >= args.size() || !ParseTarget(args[i + 1], &t.targetAddr, &t.targetPort)) {
                std::fprintf(stderr,
                             "varlo-cli: --target needs ADDRESS[:PORT], e.g. 192.168.1.255\n");
                return false;
            }
            ++i;
        } else if (arg == "--demo") {
            options->demo = true;
        } else if (arg == "--json") {
            options->json = true;
        } else {
            options->rest.push_back(arg);
        }
    }
    return true;
}

bool SearchDevices(SearchSession& session) {
    if (!RunSearch(session, [](std::size_t) {})) {
        std::fprintf(stderr,
                     "varlo-cli: Can not create Search Socket! (another search may be running: "
                     "the local port %u is in use)\n",
                     static_cast<unsigned>(Transport().searchLocalPort));
        return false;
    }
    return true;
}

bool DemoGuard::Start(const CommonOptions& options) {
    if (!options.demo) {
        return true;
    }
    m_simulator = sim::StartDemo();
    if (!m_simulator) {
        std::fprintf(stderr, "varlo-cli: cannot start the demo rig on loopback\n");
        return false;
    }
    return true;
}

}  // namespace varlo::cli
