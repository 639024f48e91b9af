#include "app/LockKeys.h"

#include <QGuiApplication>

#if defined(_WIN32)
#include <windows.h>
#elif defined(VARLO_HAVE_X11)
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#endif

namespace varlo::ui {

const char* LockKeysQuery() {
#if defined(_WIN32)
    return "win32";
#elif defined(VARLO_HAVE_X11)
    return "x11";
#else
    return "none";
#endif
}

std::optional<LockKeyState> QueryLockKeys() {
#if defined(_WIN32)
    return LockKeyState{(GetKeyState(VK_CAPITAL) & 1) != 0, (GetKeyState(VK_NUMLOCK) & 1) != 0,
                        (GetKeyState(VK_SCROLL) & 1) != 0};
#elif defined(VARLO_HAVE_X11)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) {
        return std::nullopt;
    }
    // The keyboard's indicators by name: their bit positions differ between keymaps.
    auto lit = [display](const char* name) {
        const Atom atom = XInternAtom(display, name, True);
        Bool on = False;
        return atom != None &&
               XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
    };
    return LockKeyState{lit("Caps Lock"), lit("Num Lock"), lit("Scroll Lock")};
#else
    return std::nullopt;
#endif
}

}  // namespace varlo::ui
