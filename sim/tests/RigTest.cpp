#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>

#include "discovery/DeviceType.h"
#include "sim/Rig.h"

namespace varlo::sim {
namespace {

TEST(Rig, DemoRigHoldsEveryModelAndAnUnknownType) {
    const Rig rig = DemoRig();
    std::set<uint32_t> types;
    for (const SimDevice& d : rig.devices) {
        types.insert(d.Type());
    }
    for (const uint32_t t : {DEVTYPE_KV70, DEVTYPE_LUMA_1, DEVTYPE_LUMA_2, DEVTYPE_LUMA_4,
                             DEVTYPE_LUMA_8, DEVTYPE_LUMA_EX, DEVTYPE_LUMA_AIR_MODULE}) {
        EXPECT_EQ(types.count(t), 1u) << std::hex << t;
    }
    EXPECT_EQ(types.count(kDemoUnknownType), 1u);
    EXPECT_EQ(GetDeviceTypeName(kDemoUnknownType), nullptr);
}

TEST(Rig, GeneratedRigsHaveDistinctIdentities) {
    const Rig rig = GeneratedRig(5000, 3);
    std::set<DeviceIdentity> ids;
    for (const SimDevice& d : rig.devices) {
        ids.insert(d.Identity());
    }
    EXPECT_EQ(ids.size(), 5000u);
}

TEST(Rig, LoadsRigFilesAndNamesTheBadLine) {
    const std::string path = ::testing::TempDir() + "rig.txt";
    {
        std::ofstream out(path);
        out << "# two devices\n"
               "0x90000001 00:1A:2B:3C:4D:5E 192.168.1.50\n"
               "\n"
               "0x11510080 00:1A:2B:00:00:07 10.0.0.7 0x0102  # with extra bytes\n";
    }
    Rig rig;
    std::string error;
    ASSERT_TRUE(LoadRig(path, &rig, &error)) << error;
    ASSERT_EQ(rig.devices.size(), 2u);
    EXPECT_EQ(rig.devices[0].Type(), DEVTYPE_LUMA_1);
    EXPECT_EQ(rig.devices[1].record.GetU8(4), 0x02);
    EXPECT_EQ(rig.devices[1].record.GetU8(5), 0x01);
    {
        std::ofstream out(path);
        out << "0x90000001 00:1A:2B:3C:4D:5E 192.168.1.50\n0x90000001 00:1A:2B 1.2.3.4\n";
    }
    EXPECT_FALSE(LoadRig(path, &rig, &error));
    EXPECT_NE(error.find(":2:"), std::string::npos) << error;
    EXPECT_EQ(rig.devices.size(), 2u) << "a failed load leaves the rig as it was";
    std::remove(path.c_str());
}

}  // namespace
}  // namespace varlo::sim
