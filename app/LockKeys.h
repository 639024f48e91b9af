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
// light). One file per platform answers (LockKeys_win32.cpp, LockKeys_x11.cpp,
// LockKeys_none.cpp), chosen by the build: a build that picked the wrong one shows here.
const char* LockKeysQuery();

}  // namespace varlo::ui
