// varlo-devsim: the device simulator on its own, for trying Varlo without hardware.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "sim/DeviceSimulator.h"
#include "transport/TransportSettings.h"

namespace {
volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) {
    g_stop = 1;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: varlo-devsim [--bind ADDRESS:PORT] [--rig FILE | --count N]\n"
                 "                    [--delay-max MS] [--seed N] [--verbose]\n"
                 "                    [--artnet ADDRESS[:PORT]]\n"
                 "Answers Varlo's search and configuration requests as a rig of devices.\n"
                 "Default: the demo rig on 127.0.0.1:63879. --artnet: its LUMA nodes also\n"
                 "answer Art-Net 4 polls there (port 6454 unless given), each from its own\n"
                 "127.77.x.y address.\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    using namespace varlo;
    uint32_t addr = 0x7F000001;
    uint16_t port = CONFIG_PORT;
    sim::Rig rig = sim::DemoRig();
    sim::SimOptions options;
    bool verbose = false;
    bool artNet = false;
    uint32_t artNetAddr = 0x7F000001;
    uint16_t artNetPort = 6454;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--bind" && hasValue) {
            if (!ParseTarget(argv[++i], &addr, &port)) {
                std::fprintf(stderr, "varlo-devsim: bad address '%s'\n", argv[i]);
                return 2;
            }
        } else if (arg == "--rig" && hasValue) {
            std::string error;
            if (!sim::LoadRig(argv[++i], &rig, &error)) {
                std::fprintf(stderr, "varlo-devsim: %s\n", error.c_str());
                return 1;
            }
        } else if (arg == "--count" && hasValue) {
            rig = sim::GeneratedRig(std::strtoul(argv[++i], nullptr, 10), options.seed);
        } else if (arg == "--delay-max" && hasValue) {
            options.searchDelayMaxMs = std::atoi(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            options.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--artnet" && hasValue) {
            artNet = true;
            if (!ParseTarget(argv[++i], &artNetAddr, &artNetPort)) {
                std::fprintf(stderr, "varlo-devsim: bad address '%s'\n", argv[i]);
                return 2;
            }
        } else if (arg == "--verbose") {
            verbose = true;
        } else {
            return Usage();
        }
    }
    const std::size_t devices = rig.devices.size();
    options.recordRequests = verbose;
    sim::DeviceSimulator simulator(std::move(rig), options);
    if (!simulator.Start(addr, port)) {
        std::fprintf(stderr, "varlo-devsim: cannot bind %s:%u\n", FormatIpv4(addr).c_str(), port);
        return 1;
    }
    if (artNet && !simulator.StartArtNet(artNetAddr, artNetPort)) {
        std::fprintf(stderr, "varlo-devsim: cannot bind %s:%u for Art-Net\n",
                     FormatIpv4(artNetAddr).c_str(), artNetPort);
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::printf("varlo-devsim: %zu device(s) on %s:%u\n", devices, FormatIpv4(addr).c_str(),
                simulator.Port());
    if (artNet) {
        std::printf("varlo-devsim: %zu Art-Net node(s) on %s:%u\n",
                    simulator.ArtNet()->GroupCount(), FormatIpv4(artNetAddr).c_str(),
                    simulator.ArtNet()->Port());
    }
    std::fflush(stdout);
    uint64_t next = 0;
    while (!g_stop) {
        net::SleepMs(100);
        if (verbose) {
            // Only what arrived since the last look; under a flood the log keeps the latest.
            const uint64_t from = next;
            const std::vector<sim::LoggedDatagram> batch = simulator.LogSince(&next);
            if (!batch.empty() && batch.front().sequence > from) {
                std::printf("(%llu request(s) not shown)\n",
                            static_cast<unsigned long long>(batch.front().sequence - from));
            }
            for (const sim::LoggedDatagram& d : batch) {
                std::printf("request 0x%02X, %zu bytes from %s:%u\n",
                            d.bytes.empty() ? 0 : d.bytes[0], d.bytes.size(),
                            FormatIpv4(d.fromAddr).c_str(), d.fromPort);
            }
            std::fflush(stdout);
        }
    }
    return 0;
}
