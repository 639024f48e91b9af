// The command bodies of both families. Until they are written, devices answer searches only.
#include "sim/CommandSet.h"

namespace varlo::sim {

const CommandSet& SerialServerCommands() {
    static const CommandSet set;
    return set;
}

const CommandSet& ArtNetCommands(DeviceFamily) {
    static const CommandSet set;
    return set;
}

void InstallFactoryBlocks(SimDevice&, std::size_t) {}

}  // namespace varlo::sim
