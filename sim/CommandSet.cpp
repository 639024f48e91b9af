#include "sim/CommandSet.h"

namespace varlo::sim {

std::optional<Bytes> CommandSet::Handle(SimDevice& device, const Bytes& request) const {
    const auto it = m_handlers.find(request[0]);
    if (it == m_handlers.end()) {
        return std::nullopt;
    }
    return it->second(device, request);
}

const CommandSet& CommandsFor(uint32_t type) {
    const DeviceFamily family = GetDeviceFamily(type);
    return family == DeviceFamily::SerialServer ? SerialServerCommands() : ArtNetCommands(family);
}

}  // namespace varlo::sim
