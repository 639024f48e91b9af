// Entry point of the UI tests: a QApplication on the offscreen platform and the transport on
// loopback, then GoogleTest.
#include <gtest/gtest.h>
#include <QApplication>
#include <cstdlib>

#include "testsupport/LoopbackDefault.h"

int main(int argc, char** argv) {
    // Test discovery runs this program at build time without the test environment; without
    // a session bus address Qt would reach for D-Bus, whose library keeps 1 KB that
    // LeakSanitizer reports at exit.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    }
    varlo::testing::PointTransportAtLoopback();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
