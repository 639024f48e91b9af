#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "cli/ConsolePlatform.h"

namespace varlo::cli {

namespace {
void (*g_onInterrupt)(int) = nullptr;

// The system runs this on a thread of its own.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            g_onInterrupt(130);  // what a shell reports for ^C
            return TRUE;
        case CTRL_CLOSE_EVENT:
            g_onInterrupt(143);
            return TRUE;
        default:
            return FALSE;
    }
}
}  // namespace

void InstallInterruptHandling(void (*onInterrupt)(int status)) {
    g_onInterrupt = onInterrupt;
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool StandardErrorIsTerminal() {
    return ::_isatty(::_fileno(stderr)) != 0;
}

void EndProcessNow(int status) {
    std::_Exit(status);
}

}  // namespace varlo::cli
