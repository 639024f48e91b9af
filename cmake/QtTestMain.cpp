// Entry point of the UI tests: a QApplication on the offscreen platform and the transport on
// loopback, then GoogleTest.
#include <gtest/gtest.h>
#include <QApplication>
#include <QByteArray>
#include <cstring>
#include <vector>

#include "testsupport/LoopbackDefault.h"

int main(int argc, char** argv) {
    // Test discovery runs this program at build time without the test environment; without
    // a session bus address Qt would reach for D-Bus, whose library keeps 1 KB that
    // LeakSanitizer reports at exit.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
    // Offscreen unless a platform is chosen, as an argument: a Windows build run by Wine did not
    // see Qt's platform variable, and the windows platform without a display hangs there.
    std::vector<char*> args(argv, argv + argc);
#ifdef _WIN32
    bool platformGiven = false;
#else
    bool platformGiven = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#endif
    for (int i = 1; i < argc; ++i) {
        platformGiven = platformGiven || std::strcmp(argv[i], "-platform") == 0;
    }
    char platformOption[] = "-platform";
    char offscreen[] = "offscreen";
    if (!platformGiven) {
        args.insert(args.begin() + 1, {platformOption, offscreen});
    }
    varlo::testing::PointTransportAtLoopback();
    int qtArgc = static_cast<int>(args.size());
    args.push_back(nullptr);
    QApplication app(qtArgc, args.data());
    ::testing::InitGoogleTest(&qtArgc, args.data());
    return RUN_ALL_TESTS();
}
