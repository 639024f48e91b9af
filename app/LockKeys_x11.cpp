// The lock keys under X11: the keyboard's indicators, asked of the display Qt opened. Under
// another platform plugin (offscreen, Wayland) there is no X display and nothing to tell.
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#include <QGuiApplication>

#include "app/LockKeys.h"

namespace varlo::ui {

const char* LockKeysQuery() {
    return "x11";
}

std::optional<LockKeyState> QueryLockKeys() {
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
}

}  // namespace varlo::ui
