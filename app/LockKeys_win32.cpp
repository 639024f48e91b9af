// The lock keys on Windows: the keyboard state of the thread's message queue.
#include <windows.h>

#include "app/LockKeys.h"

namespace varlo::ui {

const char* LockKeysQuery() {
    return "win32";
}

std::optional<LockKeyState> QueryLockKeys() {
    return LockKeyState{(GetKeyState(VK_CAPITAL) & 1) != 0, (GetKeyState(VK_NUMLOCK) & 1) != 0,
                        (GetKeyState(VK_SCROLL) & 1) != 0};
}

}  // namespace varlo::ui
