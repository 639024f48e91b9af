#pragma once
// What the serial-server dialog shows and exchanges, in one table: its class and title, the tabs
// and their page classes, and the blocks read at opening and written on Apply. Every type
// without a dialog of its own opens it. The dialog, `varlo-cli` and the tests read it.
#include <array>

#include "transport/ConfigSession.h"

namespace varlo::serialserver {

struct SerialServerTab {
    const char* caption;
    const char* pageClass;
};

struct SerialServerModel {
    const char* dialogClass;
    const char* title;
    std::array<SerialServerTab, 4> tabs;
    SessionModel session;  // device information, then network, wireless, serial line, op mode
};

const SerialServerModel& GetSerialServerModel();

// Positions of the blocks in the session, for the dialog and the command line.
enum SerialServerBlock : std::size_t {
    kInfoBlock,
    kBasicBlock,
    kWirelessBlock,
    kSerialBlock,
    kOpModeBlock,
};

}  // namespace varlo::serialserver
