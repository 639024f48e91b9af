// The portable stand-in: what it offers in place of the Service Control Manager, the registry
// and the administration device.
#include <gtest/gtest.h>

#include <map>

#include "comport/ComMapping.h"
#include "comport/ComPlatform.h"
#include "comport/ComRegistrySource.h"
#include "comport/SerialDriver.h"
#include "comport/tests/ComRegistryFixture.h"

namespace varlo {
namespace {

using testing::ComRegistryFixture;

TEST(StandInPlatform, NoServiceManagerAndADeviceThatExistsWithItsPath) {
    ComRegistryFixture registry(testing::kRegHeader);
    CComPlatform p;
    EXPECT_EQ(p.ScOpenManager(kScManagerAllAccess), kNoComHandle);
    EXPECT_NE(p.OpenDevice(kTuncomAdminDevice, kGenericReadWrite, kFileShareRead), kNoComHandle);
    SetComAdminPath(registry.Path() + ".absent");
    EXPECT_EQ(p.OpenDevice(kTuncomAdminDevice, kGenericReadWrite, kFileShareRead), kNoComHandle);
    EXPECT_NE(p.OpenDevice(registry.Path().c_str(), kGenericReadWrite, kFileShareRead),
              kNoComHandle);
    EXPECT_NE(p.ExecutablePath().find("comport_tests"), std::string::npos);
}

TEST(StandInPlatform, SeesTheFileAsItIsNowAndAnUnreadableFileAsEmpty) {
    const std::string active =
        std::string(testing::kRegHeader) + testing::kParamsSection + "COM3]\n\"DISABLE\"=dword:0\n";
    ComRegistryFixture registry(active);
    uint32_t ip = 0;
    int32_t port = 0, report = 0, keepAlive = 0, share = 0;
    EXPECT_EQ(ReadComMapping(3, &ip, &port, &report, &keepAlive, &share), COMMAP_ACTIVE);

    registry.Rewrite(std::string(testing::kRegHeader) + "; the mapping was removed\n");
    EXPECT_EQ(ReadComMapping(3, &ip, &port, &report, &keepAlive, &share), COMMAP_FREE);

    registry.Rewrite(active);
    EXPECT_EQ(ReadComMapping(3, &ip, &port, &report, &keepAlive, &share), COMMAP_ACTIVE);

    SetComRegistryFile(registry.Path() + ".absent");
    EXPECT_EQ(ReadComMapping(3, &ip, &port, &report, &keepAlive, &share), COMMAP_FREE);
}

TEST(StandInPlatform, DemoRegistryHasMappingsInEveryState) {
    ASSERT_TRUE(UseDemoComRegistry());
    g_hSerialAdmin = kNoComHandle;
    ASSERT_STREQ(StartSerialDriver(), "5.0.1.0");
    uint32_t ip = 0;
    int32_t port = 0, report = 0, keepAlive = 0, share = 0;
    std::map<int, int> seen;
    for (int n = 1; n <= kMaxComNumber; ++n) {
        ++seen[ReadComMapping(n, &ip, &port, &report, &keepAlive, &share)];
    }
    EXPECT_EQ(seen[COMMAP_ACTIVE], 4);
    EXPECT_EQ(seen[COMMAP_DISABLED], 1);
    EXPECT_EQ(seen[COMMAP_TAKEN], 3);
    EXPECT_EQ(seen[COMMAP_FREE], kMaxComNumber - 8);
    g_hSerialAdmin = kNoComHandle;
    SetComRegistryFile("");
    SetComAdminPath("");
}

}  // namespace
}  // namespace varlo
