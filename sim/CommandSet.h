#pragma once
// How a device family answers configuration requests: one handler per request code. A
// handler gets the whole request (header checked, identity matched) and returns the reply, or
// nothing when the device does not answer that code.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "discovery/DeviceType.h"
#include "sim/SimDevice.h"

namespace varlo::sim {

using CommandHandler = std::function<std::optional<Bytes>(SimDevice&, const Bytes& request)>;

class CommandSet {
public:
    void On(uint8_t code, CommandHandler handler) { m_handlers[code] = std::move(handler); }
    std::optional<Bytes> Handle(SimDevice& device, const Bytes& request) const;

private:
    std::map<uint8_t, CommandHandler> m_handlers;
};

// The command set of each family; a code a device does not know gets no reply.
const CommandSet& SerialServerCommands();
const CommandSet& ArtNetCommands(DeviceFamily family);
const CommandSet& CommandsFor(uint32_t type);

// Fills a device's current and factory blocks with the defaults of its model.
void InstallFactoryBlocks(SimDevice& device, std::size_t index);

}  // namespace varlo::sim
