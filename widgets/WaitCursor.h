#pragma once
// A wait cursor while a configuration exchange blocks the user-interface thread.
#include <QApplication>

namespace varlo::ui {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace varlo::ui
