// The status bar's lock-key indicators light only where the build compiled the platform's
// query in: a define that never reaches the compiled file leaves them dark without a warning.
#include <gtest/gtest.h>

#include "app/LockKeys.h"

namespace varlo::ui {
namespace {

TEST(LockKeys, TheX11QueryIsCompiledInOnLinux) {
#if defined(__linux__)
    EXPECT_STREQ(LockKeysQuery(), "x11");
#elif defined(_WIN32)
    EXPECT_STREQ(LockKeysQuery(), "win32");
#else
    GTEST_SKIP() << "no lock-key query on this platform";
#endif
}

// The Windows query needs no display: GetKeyState answers for the offscreen platform too, so
// the indicators show the keys' states rather than staying dark.
TEST(LockKeys, WindowsAnswersThroughGetKeyState) {
#if defined(_WIN32)
    EXPECT_TRUE(QueryLockKeys().has_value());
#else
    GTEST_SKIP() << "the Win32 query";
#endif
}

}  // namespace
}  // namespace varlo::ui
