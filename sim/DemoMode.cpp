#include "sim/DemoMode.h"

#include "artnet4/ArtNetSettings.h"
#include "transport/TransportSettings.h"

namespace varlo::sim {

std::unique_ptr<DeviceSimulator> StartDemo() {
    SimOptions options;
    options.searchDelayMinMs = 50;
    options.searchDelayMaxMs = 900;  // replies trickle in, as they do on a real segment
    auto simulator = std::make_unique<DeviceSimulator>(DemoRig(), options);
    if (!simulator->Start()) {
        return nullptr;
    }
    Transport().targetAddr = simulator->Address();
    Transport().targetPort = simulator->Port();
    // The simulator answers the port a search came from, so a demo needs no fixed search port:
    // a demo window, varlo-cli --demo and a real search can all run at once.
    Transport().searchLocalPort = 0;
    // The nodes' Art-Net side on loopback too; Art-Net polls go there and nowhere else.
    if (!simulator->StartArtNet()) {
        return nullptr;
    }
    artnet4::ArtNetSettings& artNet = artnet4::ArtNetTarget();
    artNet.pollAddrs = {simulator->ArtNet()->Address()};
    artNet.pollPort = simulator->ArtNet()->Port();
    artNet.localPort = 0;
    return simulator;
}

}  // namespace varlo::sim
