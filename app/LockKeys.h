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

// Which query the build compiled in: "win32", "x11" or "none" (the indicators then never
// light). A build that misses the X11 headers or their define shows here.
const char* LockKeysQuery();

}  // namespace varlo::ui
