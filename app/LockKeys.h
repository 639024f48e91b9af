#pragma once
// The state of the Caps Lock, Num Lock and Scroll Lock keys for the status bar's indicators.
#include <optional>

namespace varlo::ui {

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Nothing where the platform does not tell (no display, the offscreen platform).
std::optional<LockKeyState> QueryLockKeys();

}  // namespace varlo::ui
