// A serial server opened for configuration, on the wire against the simulator: the reads at
// opening, what the pages show, and which write frames an Apply sends.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "discovery/DeviceTable.h"
#include "serialserver/SerialServerCommands.h"
#include "serialserver/SerialServerConfig.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"

namespace varlo::serialserver {
namespace {

using testing::BytesEq;
using testing::Hex;

constexpr MacBytes kMac{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const std::string kIdentity = "80 00 51 11  00 00  00 1A 2B 3C 4D 5E";

std::string Header(uint8_t code, uint16_t length) {
    char text[40];
    std::snprintf(text, sizeof text, "%02X 00 %02X %02X 00 00 00 00 ", code, length >> 8,
                  length & 0xFF);
    return text + kIdentity;
}

class SerialServerConfigTest : public testing::SimulatorTest {
protected:
    void Start(sim::SimFaults faults = {}) {
        sim::Rig rig;
        rig.devices.push_back(sim::MakeSimDevice(DEVTYPE_KV70, kMac, {192, 168, 1, 101}));
        sim::InstallFactoryBlocks(rig.devices[0], 3);
        rig.devices[0].faults = faults;
        factory = rig.devices[0].factory;
        g_nCurDevice = static_cast<int>(g_arrConfigParam.Add(rig.devices[0].record));
        StartSimulator(std::move(rig));
    }
    std::vector<uint8_t> Codes() {
        std::vector<uint8_t> codes;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            codes.push_back(d.bytes.at(0));
        }
        simulator->ClearLog();
        return codes;
    }
    void SetStatus(int status) {
        sim::SimFaults f;
        f.status = status;
        simulator->SetFaults(0, f);
    }

    std::map<uint8_t, Bytes> factory;
};

TEST_F(SerialServerConfigTest, OpeningReadsEveryBlockInOrderAndFillsEveryPage) {
    Start();
    SerialServerConfig config(CurrentDeviceIdentity());
    EXPECT_EQ(config.Open(), 5u);

    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 5u);
    const uint8_t reads[] = {0x16, 0x03, 0x04, 0x05, 0x06};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(BytesEq(log[i].bytes, Hex(Header(reads[i], 20))));
    }

    const std::string panel[] = {"HW2.1",    "V1.06.3",           "KV-70 WIFI MODULE",
                                 "21050003", "00-1A-2B-3C-4D-5E", "02-1A-2B-3C-4D-5E"};
    for (std::size_t row = 0; row < SerialInfoPanel::kRowCount; ++row) {
        EXPECT_EQ(config.info.texts[row], panel[row]) << row;
    }
    EXPECT_EQ(config.basic.deviceName.bytes, "KV70-4D5E");
    EXPECT_EQ(config.basic.ipType, 0);
    EXPECT_EQ(config.basic.addresses[BasicSettingPage::kLocalIp], (Ipv4Bytes{192, 168, 1, 101}));
    EXPECT_EQ(config.wireless.ssid.bytes, "Workshop-WiFi");
    EXPECT_EQ(config.wireless.shown, WirelessSettingPage::kWpa2SubPage);
    EXPECT_EQ(config.wireless.wep.keys[2].bytes, "Varlo");
    EXPECT_EQ(config.wireless.wpa2.passPhrase.bytes, "serial-link-2024");
    EXPECT_EQ(config.serial.baudRate, 10);  // 9600
    EXPECT_EQ(config.opMode.shown, OpModeSettingPage::kTcpServerSubPage);
    EXPECT_EQ(config.opMode.tcpServer.localPort.bytes, "4001");
    EXPECT_TRUE(BytesEq(Bytes(g_WirelessParam.data(), g_WirelessParam.data() + 228),
                        factory[kReadWirelessParam]));

    simulator->ClearLog();
    const ApplyResult result = config.Apply();
    EXPECT_FALSE(result.AnyWriteAttempted());
    EXPECT_EQ(simulator->LogSize(), 0u);
}

TEST_F(SerialServerConfigTest, OneChangedFieldSendsExactlyThatBlockOnceAndTheDeviceKeepsIt) {
    Start();
    SerialServerConfig config(CurrentDeviceIdentity());
    ASSERT_EQ(config.Open(), 5u);
    simulator->ClearLog();

    config.serial.baudRate = 15;  // "230400"
    config.Apply();
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_TRUE(BytesEq(log[0].bytes, Hex(Header(0x09, 36) + "00 00 00 11"      // baud-rate code 17
                                                             "00 00 00 03"      // eight data bits
                                                             "00 00 00 00"      // one stop bit
                                                             "00 00 00 00")));  // no parity
    simulator->ClearLog();
    config.Apply();
    EXPECT_EQ(simulator->LogSize(), 0u);

    // A new session reads back what was written.
    SerialServerConfig again(CurrentDeviceIdentity());
    ASSERT_EQ(again.Open(), 5u);
    EXPECT_EQ(again.serial.baudRate, 15);
}

TEST_F(SerialServerConfigTest, ANameWithBytesAfterItsTerminatorIsWrittenOnceThenMatches) {
    sim::SimFaults dirty;
    dirty.dirtyText = true;  // '~' after every terminator, 0xA5 in every unused byte
    Start(dirty);
    SerialServerConfig config(CurrentDeviceIdentity());
    ASSERT_EQ(config.Open(), 5u);
    simulator->ClearLog();

    // Only the network page turns the bytes after a text into zeros; the wireless and
    // operating-mode pages keep what they read.
    config.Apply();
    auto log = simulator->Log();
    ASSERT_EQ(log.size(), 1u);
    Bytes expected = Hex(Header(0x07, 76));  // the name followed by zero bytes
    expected.insert(expected.end(), factory[kReadBasicParam].begin(),
                    factory[kReadBasicParam].end());
    EXPECT_TRUE(BytesEq(log[0].bytes, expected));
    simulator->ClearLog();
    config.Apply();
    EXPECT_EQ(simulator->LogSize(), 0u);
}

TEST_F(SerialServerConfigTest, AFailedWriteKeepsTheSavedCopySoTheNextApplySendsItAgain) {
    Start();
    SerialServerConfig config(CurrentDeviceIdentity());
    ASSERT_EQ(config.Open(), 5u);
    config.basic.deviceName.Edit("Line-3");
    config.opMode.udp.listenPort.Edit("5000");
    SetStatus(1);
    simulator->ClearLog();

    ApplyResult result = config.Apply();
    EXPECT_EQ(result.outcomes[kBasicBlock], WriteOutcome::Failed);
    EXPECT_EQ(result.outcomes[kOpModeBlock], WriteOutcome::Failed);  // not stopped by the first
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x07, 0x0A}));
    EXPECT_EQ(config.Saved<_BASICPARAM>(kBasicBlock)->DeviceName(), "KV70-4D5E");

    result = config.Apply();
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x07, 0x0A}));

    SetStatus(-1);
    result = config.Apply();
    EXPECT_EQ(result.outcomes[kBasicBlock], WriteOutcome::Written);
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x07, 0x0A}));
    EXPECT_EQ(config.Saved<_BASICPARAM>(kBasicBlock)->DeviceName(), "Line-3");
    config.Apply();
    EXPECT_TRUE(Codes().empty());
}

TEST_F(SerialServerConfigTest, WirelessWritesChangeTheProcessWideCopyAndTheKeyLengthSource) {
    Start();
    SerialServerConfig config(CurrentDeviceIdentity());
    ASSERT_EQ(config.Open(), 5u);
    config.wireless.SelectEncryptionMode(1);
    config.wireless.wep.keyType = 1;
    config.wireless.wep.keys[0].Edit("DEADBEEF01");
    simulator->ClearLog();
    config.Apply();
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].bytes[0], 0x08);
    EXPECT_EQ(log[0].bytes.size(), 248u);

    EXPECT_EQ(g_WirelessParam.WepKeyFormat(), 1u);
    EXPECT_EQ(g_WirelessParam.WepKey(0, 0)[0], 0xDE);
    // Switching lengths renders the stored keys of the written block in its format.
    config.SelectWepKeyLength(1);
    config.SelectWepKeyLength(0);
    EXPECT_EQ(config.wireless.wep.keys[0].bytes, "deadbeef01");
}

TEST_F(SerialServerConfigTest, ASilentDeviceLeavesEveryPageEmptyAndIsNeverWritten) {
    sim::SimFaults silent;
    silent.silent = true;
    Start(silent);
    SerialServerConfig config(CurrentDeviceIdentity());
    EXPECT_EQ(config.Open(), 0u);
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x16, 0x16, 0x16}));  // one read, three sends

    for (const std::string& text : config.info.texts) {
        EXPECT_EQ(text, "");
    }
    EXPECT_EQ(config.basic.ipType, kNoSelection);
    EXPECT_TRUE(config.basic.addressesEnabled);
    EXPECT_EQ(config.wireless.shown, WirelessSettingPage::kWepSubPage);
    EXPECT_EQ(config.opMode.shown, OpModeSettingPage::kRealComSubPage);
    EXPECT_EQ(config.serial.baudRate, kNoSelection);

    config.basic.deviceName.Edit("typed anyway");
    const ApplyResult result = config.Apply();
    for (const std::size_t b : {kBasicBlock, kWirelessBlock, kSerialBlock, kOpModeBlock}) {
        EXPECT_EQ(result.outcomes[b], WriteOutcome::NotRead) << b;
    }
    EXPECT_TRUE(Codes().empty());
}

TEST_F(SerialServerConfigTest, AFailedWirelessReadLeavesTheLaterPagesUnreadAndUnwritten) {
    Start();
    // Another device's wireless block is in the process-wide copy from an earlier dialog.
    _WIRELESSPARAM other;
    other.SetSsid("Other-Device");
    other.SetWepKey(1, 0, Hex("41 42 43 44 45 46 47 48 49 4A 4B 4C 4D"));
    g_WirelessParam = other;
    simulator->OverrideCommand(kReadWirelessParam,
                               [](sim::SimDevice&, const Bytes&) { return std::nullopt; });

    SerialServerConfig config(CurrentDeviceIdentity());
    EXPECT_EQ(config.Open(), 2u);
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x16, 0x03, 0x04, 0x04, 0x04}));
    EXPECT_EQ(config.basic.deviceName.bytes, "KV70-4D5E");
    EXPECT_EQ(config.wireless.ssid.bytes, "");
    EXPECT_EQ(config.serial.baudRate, kNoSelection);
    EXPECT_EQ(g_WirelessParam, other);

    config.basic.deviceName.Edit("Renamed");
    config.wireless.ssid.Edit("Typed-SSID");
    config.serial.baudRate = 3;
    const ApplyResult result = config.Apply();
    EXPECT_EQ(result.outcomes[kBasicBlock], WriteOutcome::Written);
    EXPECT_EQ(result.outcomes[kWirelessBlock], WriteOutcome::NotRead);
    EXPECT_EQ(result.outcomes[kSerialBlock], WriteOutcome::NotRead);
    EXPECT_EQ(result.outcomes[kOpModeBlock], WriteOutcome::NotRead);
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x07}));
}

TEST_F(SerialServerConfigTest, OutsideTheTableNothingIsSent) {
    Start();
    g_nCurDevice = 1;
    SerialServerConfig config(CurrentDeviceIdentity());
    EXPECT_EQ(config.Open(), 0u);
    config.basic.deviceName.Edit("x");
    config.Apply();
    EXPECT_EQ(simulator->LogSize(), 0u);
}

}  // namespace
}  // namespace varlo::serialserver
