#pragma once
// The fields of the four sub-pages of the operating-mode page. Numbers are decimal text as
// typed; addresses are text too (a dotted address is its digits and dots).
#include <array>

#include "serialserver/OpModeParam.h"
#include "serialserver/TextField.h"

namespace varlo::serialserver {

struct OpModeDestination {
    TextField address;  // at most 39 characters are written
    TextField port;
};
using OpModeDestinations = std::array<OpModeDestination, _OPMODEPARAM::kDestinationCount>;

struct RealComSettingsPage {
    TextField keepAlive;
};

struct TcpServerSettingsPage {
    TextField keepAlive;
    TextField localPort;
};

struct TcpClientSettingsPage {
    TextField keepAlive;
    OpModeDestinations destinations;
};

struct UdpSettingsPage {
    OpModeDestinations destinations;
    TextField listenPort;
};

}  // namespace varlo::serialserver
