// The lock keys where the build knows no way to ask (neither Windows nor X11): the indicators
// stay dark.
#include "app/LockKeys.h"

namespace varlo::ui {

const char* LockKeysQuery() {
    return "none";
}

std::optional<LockKeyState> QueryLockKeys() {
    return std::nullopt;
}

}  // namespace varlo::ui
