#include <gtest/gtest.h>

#include "comport/ComPlatform.h"
#include "comport/SerialDriver.h"
#include "comport/tests/RecordingComPlatform.h"
#include "testsupport/ScopedComPlatform.h"

namespace varlo {
namespace {

using testing::RecordingComPlatform;

class SerialDriverTest : public ::testing::Test {
protected:
    void SetUp() override { g_hSerialAdmin = kNoComHandle; }
    void TearDown() override { g_hSerialAdmin = kNoComHandle; }
    RecordingComPlatform fake;
    testing::ScopedComPlatform installed{fake};
};

// Handles are handed out from 0x100 upward in call order.
const std::vector<std::string> kFullStart = {
    "ExecutablePath",
    "ScOpenManager 0xF003F",
    "ScCreateService 0x100 TUNCOM | TUNCOM Kernel Service | 0xF01FF 0x1 0x2 0x1 | "
    "C:\\Program Files\\Varlo\\TUNCOM.SYS | Extended Base",
    "ScCloseHandle 0x101",
    "ScOpenService 0x100 TUNCOM 0xF01FF",
    "ScStartService 0x102",
    "ScCloseHandle 0x102",
    "ScCreateService 0x100 tuncom_service | TUNCOM Port Win32 Service | 0xF01FF 0x10 0x2 0x1 | "
    "C:\\Program Files\\Varlo\\tuncom_service.exe | (none)",
    "ScCloseHandle 0x103",
    "ScOpenService 0x100 tuncom_service 0xF01FF",
    "ScStartService 0x104",
    "ScCloseHandle 0x104",
    "ScCloseHandle 0x100",
    "OpenDevice \\\\.\\TUNCOMAdmin 0xC0000000 0x1",
};

TEST_F(SerialDriverTest, InstallsStartsBothServicesThenOpensTheDevice) {
    EXPECT_STREQ(StartSerialDriver(), "5.0.1.0");
    EXPECT_EQ(fake.calls, kFullStart);
    EXPECT_EQ(g_hSerialAdmin, 0x105u);

    // Once the device is open a further call asks nothing of the system.
    fake.calls.clear();
    EXPECT_STREQ(StartSerialDriver(), "5.0.1.0");
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(SerialDriverTest, ExistingServicesAreOpenedAndStartedAnyway) {
    fake.failing = {"ScCreateService:TUNCOM", "ScCreateService:tuncom_service"};
    EXPECT_STREQ(StartSerialDriver(), "5.0.1.0");
    ASSERT_EQ(fake.calls.size(), 12u);
    EXPECT_EQ(fake.calls[3], "ScOpenService 0x100 TUNCOM 0xF01FF");  // no close of a failed create
    EXPECT_EQ(fake.calls[7], "ScOpenService 0x100 tuncom_service 0xF01FF");
}

TEST_F(SerialDriverTest, NoKernelServiceMeansNoWin32Service) {
    fake.failing = {"ScOpenService:TUNCOM"};
    EXPECT_STREQ(StartSerialDriver(), "5.0.1.0");
    const std::vector<std::string> expected = {
        kFullStart[0], kFullStart[1],         kFullStart[2],    kFullStart[3],
        kFullStart[4], "ScCloseHandle 0x100", kFullStart.back()};
    EXPECT_EQ(fake.calls, expected);
}

TEST_F(SerialDriverTest, WithoutTheDeviceItReturnsNullAndTriesAgainNextTime) {
    fake.failing = {"ScOpenManager", "OpenDevice"};
    fake.executablePath = "Varlo.exe";  // no directory at all
    EXPECT_EQ(StartSerialDriver(), nullptr);
    EXPECT_EQ(g_hSerialAdmin, kNoComHandle);
    ASSERT_GE(fake.calls.size(), 3u);
    EXPECT_NE(fake.calls[2].find("| \\TUNCOM.SYS |"), std::string::npos) << fake.calls[2];
    EXPECT_EQ(fake.calls[3], "ScOpenService 0x0 TUNCOM 0xF01FF");
    EXPECT_EQ(fake.calls.back(), kFullStart.back());

    // The driver came up in the meantime (started by an administrator).
    fake.failing.clear();
    fake.calls.clear();
    EXPECT_STREQ(StartSerialDriver(), "5.0.1.0");
    EXPECT_EQ(fake.calls.size(), kFullStart.size());
}

}  // namespace
}  // namespace varlo
