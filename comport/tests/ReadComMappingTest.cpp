#include <gtest/gtest.h>

#include "comport/ComMapEntry.h"
#include "comport/ComMapping.h"
#include "comport/ComPlatform.h"
#include "comport/SerialDriver.h"
#include "comport/tests/ComRegistryFixture.h"
#include "comport/tests/RecordingComPlatform.h"
#include "testsupport/ScopedComPlatform.h"

namespace varlo {
namespace {

using testing::ComRegistryFixture;
using testing::kNodeSection;
using testing::kParamsSection;
using testing::kRegHeader;
using testing::kSerialMapSection;

const std::string kLongName(70, 'N');

std::string Fixture() {
    return std::string(kRegHeader) + kParamsSection +
           "COM1]\n"
           "\"IP\"=dword:3201a8c0\n"  // 192.168.1.50
           "\"PORT\"=dword:00000005\n"
           "\"REPORT\"=dword:00000001\n"
           "\"KEEPALIVE\"=dword:0000003c\n"
           "\"SHARE\"=dword:00000002\n"
           "\"DISABLE\"=dword:00000000\n\n" +
           kParamsSection +
           "COM2]\n"
           "\"IP\"=dword:3301a8c0\n"
           "\"PORT\"=dword:00000006\n"
           "\"DISABLE\"=dword:00000001\n\n" +
           kNodeSection + "COM2]\n\n" + kParamsSection +
           "COM3]\n"
           "\"IP\"=dword:3401a8c0\n"
           "\"PORT\"=dword:00000007\n"
           "\"DISABLE\"=dword:ffffffff\n\n" +
           // Values of other sizes and types: each is read into a 4-byte buffer as it is.
           kParamsSection +
           "COM12]\n"
           "\"ip\"=hex:0a,01\n"
           "\"PORT\"=dword:00000100\n"
           "\"REPORT\"=hex:01,02,03,04,05\n"
           "\"SHARE\"=\"ab\"\n\n" +
           kSerialMapSection +
           "\"\\\\Device\\\\Serial0\"=\"COM4\"\n"
           "\"TUN2COM\"=\"COM5\"\n"
           "\"TUN2COM1\"=\"COM6\"\n"
           "\"\\\\Device\\\\Lower\"=\"com8\"\n"
           "\"" +
           kLongName +
           "\"=\"COM9\"\n"
           "\"\\\\Device\\\\Long\"=\"COM10" +
           std::string(70, 'x') +
           "\"\n"
           "\"\\\\Device\\\\Serial1\"=\"COM10\"\n"
           "\"\\\\Device\\\\Serial2\"=\"COM1\"\n";
}

constexpr uint32_t kUntouched = 0xA5A5A5A5;

struct Outputs {
    uint32_t ip = kUntouched;
    int32_t port = static_cast<int32_t>(kUntouched);
    int32_t report = static_cast<int32_t>(kUntouched);
    int32_t keepAlive = static_cast<int32_t>(kUntouched);
    int32_t share = static_cast<int32_t>(kUntouched);

    int Read(int n) { return ReadComMapping(n, &ip, &port, &report, &keepAlive, &share); }
    bool Untouched() const {
        return ip == kUntouched && port == int32_t(kUntouched) && report == int32_t(kUntouched) &&
               keepAlive == int32_t(kUntouched) && share == int32_t(kUntouched);
    }
};

// The index at which the serial-port map lists port, read with room to spare.
uint32_t IndexOfPort(ComPlatformApi& platform, const std::string& port) {
    const ComHandle map = platform.RegOpen(platform.Layout().serialMap);
    uint32_t index = 0;
    for (; map != kNoComHandle; ++index) {
        char name[256] = {};
        uint8_t data[256] = {};
        uint32_t nameChars = sizeof name - 1;
        uint32_t dataBytes = sizeof data - 1;
        if (platform.RegEnum(map, index, name, &nameChars, data, &dataBytes) != kErrorSuccess ||
            port == reinterpret_cast<const char*>(data)) {
            break;
        }
    }
    platform.RegClose(map);
    return index;
}

TEST(ReadComMapping, ResultCodesAndOutputs) {
    ComRegistryFixture registry(Fixture());
    ASSERT_NE(g_hSerialAdmin, kNoComHandle);

    struct Case {
        int n;
        int code;
        const char* ip;  // null: outputs untouched
        int32_t port, report, keepAlive, share;
        const char* why;
    };
    const Case cases[] = {
        {1, 0, "192.168.1.50", 5, 1, 60, 2, "active; the serial map listing it does not matter"},
        {2, -2, "192.168.1.51", 6, 0, 0, 0, "disabled, device node present"},
        {3, -4, "192.168.1.52", 7, 0, 0, 0, "disabled without node: free, outputs written"},
        {12, 0, "10.1.0.0", 256, 0, 0, 0x6261, "short values fill the low bytes, long ones none"},
        {4, -3, nullptr, 0, 0, 0, 0, "another device's port"},
        {5, -4, nullptr, 0, 0, 0, 0, "listed under exactly TUN2COM: the driver's own"},
        {6, -3, nullptr, 0, 0, 0, 0, "a name that only begins with TUN2COM"},
        {7, -4, nullptr, 0, 0, 0, 0, "not listed anywhere"},
        {8, -4, nullptr, 0, 0, 0, 0, "data compares case-sensitively"},
        {9, -3, nullptr, 0, 0, 0, 0, "a name longer than 63 is cut, still not TUN2COM"},
        {10, -3, nullptr, 0, 0, 0, 0, "data longer than 63 is cut and does not end the search"},
        {0, -1, nullptr, 0, 0, 0, 0, "below the range"},
        {1025, -1, nullptr, 0, 0, 0, 0, "above the range"},
        {-5, -1, nullptr, 0, 0, 0, 0, "negative"},
    };
    for (const Case& c : cases) {
        Outputs out;
        EXPECT_EQ(out.Read(c.n), c.code) << "COM" << c.n << ": " << c.why;
        if (c.ip == nullptr) {
            EXPECT_TRUE(out.Untouched()) << "COM" << c.n;
            continue;
        }
        EXPECT_EQ(ComIpText(out.ip), c.ip) << "COM" << c.n;
        EXPECT_EQ(out.port, c.port) << "COM" << c.n;
        EXPECT_EQ(out.report, c.report) << "COM" << c.n;
        EXPECT_EQ(out.keepAlive, c.keepAlive) << "COM" << c.n;
        EXPECT_EQ(out.share, c.share) << "COM" << c.n;
    }
}

TEST(ReadComMapping, OutOfRangeNumbersAndNoDriverTouchNoRegistry) {
    ComRegistryFixture registry(Fixture());
    CComPlatform platform(registry.Layout());
    testing::RecordingComPlatform recorder(&platform);
    testing::ScopedComPlatform installed(recorder);

    Outputs out;
    EXPECT_EQ(out.Read(0), -1);
    EXPECT_EQ(out.Read(1025), -1);
    EXPECT_EQ(recorder.RegistryCalls(), 0u);

    // The map is enumerated from index 0 with 63 characters and 63 bytes offered each time, up
    // to the value that lists the port. Where that is, is the registry's business: an export
    // keeps the file's order, Wine sorts values by name.
    EXPECT_EQ(out.Read(5), -4);
    std::vector<std::string> expected = {"RegOpen " + registry.Layout().parameters + "COM5\\",
                                         "RegOpen " + registry.Layout().serialMap};
    const uint32_t listedAt = IndexOfPort(platform, "COM5");
    for (uint32_t i = 0; i <= listedAt; ++i) {
        expected.push_back("RegEnum " + std::to_string(i) + " 63 63");
    }
    expected.push_back("RegClose");
    EXPECT_EQ(recorder.calls, expected);

    recorder.calls.clear();
    g_hSerialAdmin = kNoComHandle;
    for (int n = 1; n <= kMaxComNumber; ++n) {
        ASSERT_EQ(out.Read(n), -1) << n;
    }
    EXPECT_TRUE(recorder.calls.empty());
}

TEST(ReadComMapping, WithoutAdministrationDeviceEveryNumberIsNoDriver) {
    ComRegistryFixture registry(Fixture(), /*driverPresent=*/false);
    EXPECT_EQ(g_hSerialAdmin, kNoComHandle);
    Outputs out;
    for (int n = 1; n <= kMaxComNumber; ++n) {
        ASSERT_EQ(out.Read(n), -1) << n;
    }
    EXPECT_TRUE(out.Untouched());
}

TEST(ReadComMapping, ReadsWhereTheLayoutPoints) {
    // Outside tests the reader looks at the driver's own keys.
    const ComRegistryLayout driver;
    EXPECT_EQ(driver.root, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(driver.parameters, "SYSTEM\\CurrentControlSet\\Services\\TUNCOM\\Parameters\\");
    EXPECT_EQ(driver.deviceNodes, "SYSTEM\\CurrentControlSet\\Enum\\Root\\TUNCOM_2K\\");
    EXPECT_EQ(driver.serialMap, "HARDWARE\\DEVICEMAP\\SERIALCOMM\\");

    ComRegistryFixture registry(Fixture());
    ComRegistryLayout layout = registry.Layout();
    layout.serialMap += "ELSEWHERE\\";  // no such key: every unmapped number is free
    layout.deviceNodes = layout.parameters;
    CComPlatform moved(layout);
    testing::ScopedComPlatform installed(moved);
    Outputs out;
    EXPECT_EQ(out.Read(4), -4);
    EXPECT_EQ(out.Read(3), -2);  // its "node" is now its own parameter key
}

}  // namespace
}  // namespace varlo
