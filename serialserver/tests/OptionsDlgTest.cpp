// The serial-server dialog driven as an operator would, against a simulated serial server: what
// the widgets show after opening, and the exact frames that typing, picking items and the
// buttons send.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <functional>
#include <map>
#include <string>

#include "discovery/DeviceTable.h"
#include "serialserver/BasicSettingDlg.h"
#include "serialserver/OpModeSettingDlg.h"
#include "serialserver/OptionsDlg.h"
#include "serialserver/RealComSettings.h"
#include "serialserver/SerialServerCommands.h"
#include "serialserver/SerialSettingDlg.h"
#include "serialserver/TcpClientSettings.h"
#include "serialserver/TcpServerSettings.h"
#include "serialserver/UdpSettings.h"
#include "serialserver/Wap2Settings.h"
#include "serialserver/WepSettings.h"
#include "serialserver/WirelessSettingDlg.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"
#include "widgets/IpAddressCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {
namespace {

using namespace serialserver;
using testing::BytesEq;
using testing::Hex;

constexpr MacBytes kMac{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const std::string kIdentity = "80 00 51 11  00 00  00 1A 2B 3C 4D 5E";

template <typename Block>
Bytes BytesOf(const Block& b) {
    return Bytes(b.data(), b.data() + b.size());
}
template <typename Block>
Block BlockOf(const Bytes& bytes) {
    Block b;
    b.Assign(bytes.data());
    return b;
}

// The write request of a block: code, 0, length, four zero bytes, identity, then the block.
template <typename Block>
Bytes WriteFrame(uint8_t code, const Block& block) {
    Bytes frame = Hex("00 00 00 00 00 00 00 00" + kIdentity);
    frame[0] = code;
    frame[2] = static_cast<uint8_t>((20 + block.size()) >> 8);
    frame[3] = static_cast<uint8_t>(20 + block.size());
    const Bytes body = BytesOf(block);
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

class COptionsDlgTest : public testing::SimulatorTest {
protected:
    void Start(const std::function<void(sim::SimDevice&)>& tweak = {}) {
        sim::Rig rig;
        rig.devices.push_back(sim::MakeSimDevice(DEVTYPE_KV70, kMac, {192, 168, 1, 101}));
        sim::InstallFactoryBlocks(rig.devices[0], 0);
        if (tweak) {
            tweak(rig.devices[0]);
        }
        blocks = rig.devices[0].blocks;
        g_nCurDevice = static_cast<int>(g_arrConfigParam.Add(rig.devices[0].record));
        StartSimulator(std::move(rig));
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
    }
    void TearDown() override {
        SetMessageBoxHandler({});
        testing::SimulatorTest::TearDown();
    }
    // What the program sent since the last call.
    std::vector<Bytes> Sent() {
        std::vector<Bytes> sent;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            sent.push_back(d.bytes);
        }
        simulator->ClearLog();
        return sent;
    }
    std::vector<uint8_t> SentCodes() {
        std::vector<uint8_t> codes;
        for (const Bytes& b : Sent()) {
            codes.push_back(b.at(0));
        }
        return codes;
    }
    Bytes Stored(uint8_t readCode) {
        Bytes b;
        simulator->WithDevices([&](std::vector<sim::SimDevice>& d) { b = d[0].blocks[readCode]; });
        return b;
    }
    static void ShowAndActivate(COptionsDlg& dlg) {
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    // Picks an item from the keyboard: first item, then down.
    static void Select(QComboBox* list, int index) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < index; ++i) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        ASSERT_EQ(list->currentIndex(), index);
    }
    // Replaces the field's text by typing.
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    std::map<uint8_t, Bytes> blocks;  // as the device holds them at the start
    QStringList messages;
};

QString Shown(QWidget* w) {
    if (auto* list = qobject_cast<QComboBox*>(w)) {
        return list->currentIndex() < 0 ? QStringLiteral("<none>") : list->currentText();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return edit->text();
    }
    if (auto* address = qobject_cast<CIpAddressCtrl*>(w)) {
        const auto o = address->GetOctets();
        return address->IsBlank()
                   ? QString()
                   : QStringLiteral("%1.%2.%3.%4").arg(o[0]).arg(o[1]).arg(o[2]).arg(o[3]);
    }
    return QStringLiteral("<?>");
}

TEST_F(COptionsDlgTest, OpeningReadsInOrderShowsWhatTheDeviceHoldsAndApplyAtOnceSendsNothing) {
    Start([](sim::SimDevice& d) {
        _OPMODEPARAM o = BlockOf<_OPMODEPARAM>(d.blocks[kReadOpModeParam]);
        o.SetOpMode(2);
        o.SetTcpServerKeepAlive(0xFFFFFFFF);
        d.blocks[kReadOpModeParam] = BytesOf(o);
    });
    COptionsDlg dlg;
    const std::vector<Bytes> reads = Sent();
    ASSERT_EQ(reads.size(), 5u);
    const uint8_t codes[] = {0x16, 0x03, 0x04, 0x05, 0x06};
    for (std::size_t i = 0; i < 5; ++i) {
        Bytes expected = Hex("00 00 00 14 00 00 00 00" + kIdentity);
        expected[0] = codes[i];
        EXPECT_TRUE(BytesEq(reads[i], expected));
    }
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("参数设置"));

    const QString panel[] = {"HW2.1",    "V1.06.3",           "KV-70 WIFI MODULE",
                             "21050000", "00-1A-2B-3C-4D-5E", "02-1A-2B-3C-4D-5E"};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(dlg.InfoField(row)->text(), panel[row]) << row;
        EXPECT_TRUE(dlg.InfoField(row)->isReadOnly());
    }

    CBasicSettingDlg* basic = dlg.BasicPage();
    CWirelessSettingDlg* wireless = dlg.WirelessPage();
    CSerialSettingDlg* serial = dlg.SerialPage();
    COpModeSettingDlg* opMode = dlg.OpModePage();
    const std::pair<QWidget*, QString> fields[] = {
        {basic->DeviceNameEdit(), "KV70-4D5E"},
        {basic->IpTypeList(), "静态 IP 地址"},
        {basic->AddressCtrl(0), "192.168.1.101"},
        {basic->AddressCtrl(1), "255.255.255.0"},
        {basic->AddressCtrl(2), "192.168.1.1"},
        {basic->AddressCtrl(3), "192.168.1.1"},
        {basic->AddressCtrl(4), "0.0.0.0"},
        {wireless->WirelessModeList(), "无线客户端模式"},
        {wireless->SsidEdit(), "Workshop-WiFi"},
        {wireless->EncryptionModeList(), "WPA2-Personal"},
        {wireless->Wep()->KeyLengthList(), "64bit(10 hex digts)"},
        {wireless->Wep()->DefaultKeyList(), "WEP 密钥1"},
        {wireless->Wep()->KeyTypeList(), "ASCII"},
        {wireless->Wep()->KeyEdit(0), "12345"},
        {wireless->Wep()->KeyEdit(1), "abcde"},
        {wireless->Wep()->KeyEdit(2), "Varlo"},
        {wireless->Wep()->KeyEdit(3), "54321"},
        {wireless->Wpa()->CipherList(), "AES"},
        {wireless->Wpa()->PassPhraseEdit(), "serial-link-2024"},
        {wireless->Wpa2()->CipherList(), "AES"},
        {wireless->Wpa2()->PassPhraseEdit(), "serial-link-2024"},
        {serial->BaudRateList(), "9600"},
        {serial->DataBitsList(), "8"},
        {serial->StopBitsList(), "1"},
        {serial->ParityList(), "NONE"},
        {opMode->ModeList(), "TCP 客户端模式"},
        {opMode->RealCom()->KeepAliveEdit(), "5"},
        {opMode->TcpServer()->KeepAliveEdit(), "-1"},
        {opMode->TcpServer()->LocalPortEdit(), "4001"},
        {opMode->TcpClient()->KeepAliveEdit(), "5"},
        {opMode->TcpClient()->Destination(0).address, "192.168.1.10"},
        {opMode->TcpClient()->Destination(0).port, "4001"},
        {opMode->TcpClient()->Destination(1).address, ""},
        {opMode->TcpClient()->Destination(1).port, "0"},
        {opMode->Udp()->Destination(0).address, "192.168.1.10"},
        {opMode->Udp()->Destination(0).port, "4002"},
        {opMode->Udp()->ListenPortEdit(), "4001"},
    };
    for (const auto& [widget, text] : fields) {
        EXPECT_EQ(Shown(widget), text)
            << widget->metaObject()->className() << " " << text.toStdString();
    }

    ShowAndActivate(dlg);
    // The network page in front, each other page with its device's sub-page in place.
    EXPECT_TRUE(basic->isVisible());
    EXPECT_FALSE(wireless->isVisible());
    EXPECT_TRUE(wireless->Wpa2()->isVisibleTo(wireless));
    EXPECT_FALSE(wireless->Wep()->isVisibleTo(wireless));
    EXPECT_TRUE(opMode->TcpClient()->isVisibleTo(opMode));
    EXPECT_FALSE(opMode->RealCom()->isVisibleTo(opMode));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(basic->AddressCtrl(i)->isEnabled());
    }
    // Focus in the name with the name selected.
    EXPECT_EQ(QApplication::focusWidget(), basic->DeviceNameEdit());
    EXPECT_EQ(basic->DeviceNameEdit()->selectedText(), "KV70-4D5E");

    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(COptionsDlgTest, TypingANameAndEnterWritesTheNetworkBlockAndCloses) {
    Start();
    COptionsDlg dlg;
    ShowAndActivate(dlg);
    Sent();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Hall-2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    // The page builds the name field from zero bytes: nothing of the old name stays.
    _BASICPARAM expected = BlockOf<_BASICPARAM>(blocks[kReadBasicParam]);
    std::fill_n(expected.data(), _BASICPARAM::kDeviceNameWidth, uint8_t{0});
    expected.SetDeviceName("Hall-2");
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(BytesEq(sent[0], WriteFrame(0x07, expected)));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());

    COptionsDlg again;  // the device keeps what was written
    EXPECT_EQ(again.BasicPage()->DeviceNameEdit()->text(), "Hall-2");
}

// 16 three-byte characters are 48 bytes; the name holds 31. Cut at byte 31 the name would end
// in a lone lead byte; it ends after the tenth character instead, as an Art-Net name does.
TEST_F(COptionsDlgTest, ATypedNameIsCutToWholeCharactersWithin31Bytes) {
    Start();
    COptionsDlg dlg;
    ShowAndActivate(dlg);
    Sent();
    const QString typed = QString(16, QChar(0x8BBE));  // 设, three bytes in UTF-8
    QLineEdit* name = dlg.BasicPage()->DeviceNameEdit();
    name->setFocus();
    name->selectAll();
    // Chinese is typed through an input method, which commits the text to the field.
    QInputMethodEvent commit;
    commit.setCommitString(typed);
    QApplication::sendEvent(name, &commit);
    ASSERT_EQ(name->text(), typed);
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);

    // Whole characters within 31 bytes of the workstation's 8-bit encoding: ten of three bytes
    // in UTF-8 (Linux), all sixteen where the encoding has one byte for it (a Western Windows).
    int whole = 16;
    while (QString(whole, QChar(0x8BBE)).toLocal8Bit().size() > 31) {
        --whole;
    }
    const QByteArray ten = QString(whole, QChar(0x8BBE)).toLocal8Bit();
    if (QString(QChar(0x8BBE)).toLocal8Bit().size() == 3) {
        ASSERT_EQ(ten.size(), 30);
    }
    _BASICPARAM expected = BlockOf<_BASICPARAM>(blocks[kReadBasicParam]);
    std::fill_n(expected.data(), _BASICPARAM::kDeviceNameWidth, uint8_t{0});
    expected.SetDeviceName(ten.toStdString());
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(BytesEq(sent[0], WriteFrame(0x07, expected)));
    EXPECT_EQ(dlg.BasicPage()->DeviceNameEdit()->text(), typed) << "the field keeps what it shows";
}

TEST_F(COptionsDlgTest, ASilentDeviceOpensAfterOneBudgetWithEveryFieldEmptyAndNoMessage) {
    Start([](sim::SimDevice& d) { d.faults.silent = true; });
    QElapsedTimer clock;
    clock.start();
    COptionsDlg dlg;
    EXPECT_LT(clock.elapsed(), 3000);  // one read's budget (shortened polls), not five
    EXPECT_EQ(SentCodes(), (std::vector<uint8_t>{0x16, 0x16, 0x16}));
    EXPECT_EQ(dlg.ReadsSucceeded(), 0u);

    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(dlg.InfoField(row)->text(), "");
    }
    const QWidget* empty[] = {dlg.BasicPage()->DeviceNameEdit(),
                              dlg.BasicPage()->IpTypeList(),
                              dlg.BasicPage()->AddressCtrl(0),
                              dlg.WirelessPage()->SsidEdit(),
                              dlg.WirelessPage()->EncryptionModeList(),
                              dlg.WirelessPage()->Wep()->KeyEdit(0),
                              dlg.WirelessPage()->Wpa2()->CipherList(),
                              dlg.SerialPage()->BaudRateList(),
                              dlg.OpModePage()->ModeList(),
                              dlg.OpModePage()->TcpServer()->LocalPortEdit()};
    for (const QWidget* w : empty) {
        const QString text = Shown(const_cast<QWidget*>(w));
        EXPECT_TRUE(text.isEmpty() || text == "<none>") << w->metaObject()->className();
    }
    EXPECT_TRUE(dlg.BasicPage()->AddressCtrl(2)->isEnabled());
    EXPECT_TRUE(dlg.WirelessPage()->Wep()->isVisibleTo(dlg.WirelessPage()));
    EXPECT_TRUE(dlg.OpModePage()->RealCom()->isVisibleTo(dlg.OpModePage()));

    ShowAndActivate(dlg);
    Type(dlg.BasicPage()->DeviceNameEdit(), "typed anyway");
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(COptionsDlgTest, AFailedWirelessReadFillsOnlyTheNetworkPageAndApplyWritesOnlyIt) {
    Start();
    simulator->OverrideCommand(kReadWirelessParam,
                               [](sim::SimDevice&, const Bytes&) { return std::nullopt; });
    COptionsDlg dlg;
    EXPECT_EQ(SentCodes(), (std::vector<uint8_t>{0x16, 0x03, 0x04, 0x04, 0x04}));
    EXPECT_EQ(dlg.BasicPage()->DeviceNameEdit()->text(), "KV70-4D5E");
    EXPECT_EQ(dlg.WirelessPage()->SsidEdit()->text(), "");
    EXPECT_EQ(dlg.SerialPage()->BaudRateList()->currentIndex(), -1);
    EXPECT_EQ(dlg.OpModePage()->ModeList()->currentIndex(), -1);

    ShowAndActivate(dlg);
    Type(dlg.BasicPage()->DeviceNameEdit(), "Renamed");
    dlg.TabBar()->setCurrentIndex(1);
    Type(dlg.WirelessPage()->SsidEdit(), "Typed-SSID");
    dlg.TabBar()->setCurrentIndex(2);
    Select(dlg.SerialPage()->BaudRateList(), 3);
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(SentCodes(), (std::vector<uint8_t>{0x07}));
}

TEST_F(COptionsDlgTest, AFailedWriteIsSentAgainByApplyAndByOkWhichClosesAnyway) {
    Start([](sim::SimDevice& d) { d.faults.status = 1; });
    COptionsDlg dlg;
    ShowAndActivate(dlg);
    Sent();
    dlg.TabBar()->setCurrentIndex(2);
    Select(dlg.SerialPage()->BaudRateList(), 14);  // 115200

    _SERIALPARAM expected = BlockOf<_SERIALPARAM>(blocks[kReadSerialParam]);
    expected.SetBaudRate(16);
    for (int attempt = 0; attempt < 2; ++attempt) {
        QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
        const std::vector<Bytes> sent = Sent();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_TRUE(BytesEq(sent[0], WriteFrame(0x09, expected)));
    }
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(SentCodes(), (std::vector<uint8_t>{0x09}));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(COptionsDlgTest, CancelAfterAnApplyUndoesNothing) {
    Start();
    COptionsDlg dlg;
    ShowAndActivate(dlg);
    dlg.TabBar()->setCurrentIndex(2);
    Select(dlg.SerialPage()->ParityList(), 2);  // EVEN
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    Sent();
    Select(dlg.SerialPage()->ParityList(), 4);  // changed again, then cancelled
    QTest::keyClick(dlg.SerialPage()->ParityList(), Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(BlockOf<_SERIALPARAM>(Stored(kReadSerialParam)).Parity(), 2u);
}

TEST_F(COptionsDlgTest, AddressTypeDisablesTheAddressesKeepingThemAndDhcpIsWritten) {
    Start();
    COptionsDlg dlg;
    ShowAndActivate(dlg);
    Sent();
    CBasicSettingDlg* page = dlg.BasicPage();
    Select(page->IpTypeList(), 1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(page->AddressCtrl(i)->isEnabled());
    }
    EXPECT_EQ(Shown(page->AddressCtrl(0)), "192.168.1.101");
    Select(page->IpTypeList(), 0);
    EXPECT_TRUE(page->AddressCtrl(4)->isEnabled());
    EXPECT_EQ(Shown(page->AddressCtrl(2)), "192.168.1.1");

    // Typed into the first octet; the control moves on after three digits.
    Type(page->AddressCtrl(0)->OctetEdit(0), "10");
    Select(page->IpTypeList(), 1);
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    _BASICPARAM expected = BlockOf<_BASICPARAM>(blocks[kReadBasicParam]);
    expected.SetIpType(1);
    expected.SetLocalIp({10, 168, 1, 101});
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(BytesEq(sent[0], WriteFrame(0x07, expected)));
}

TEST_F(COptionsDlgTest, EncryptionModeShowsItsSubPageAndKeyLengthShowsTheStoredKeys) {
    Start();
    COptionsDlg dlg;
    ShowAndActivate(dlg);
    Sent();
    dlg.TabBar()->setCurrentIndex(1);
    CWirelessSettingDlg* page = dlg.WirelessPage();
    QWidget* subPages[] = {page->Wep(), page->Wpa(), page->Wpa2()};
    const struct {
        int mode;
        int shown;  // -1: none
    } modes[] = {{0, -1}, {2, 1}, {3, 2}, {1, 0}};
    for (const auto& m : modes) {
        Select(page->EncryptionModeList(), m.mode);
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(subPages[s]->isVisible(), s == m.shown) << m.mode << " " << s;
        }
    }

    CWepSettings* wep = page->Wep();
    Type(wep->KeyEdit(0), "typed");
    Select(wep->KeyLengthList(), 1);  // the device's 128-bit keys, the edit gone
    EXPECT_EQ(wep->KeyEdit(0)->text(), "1234567890123");
    EXPECT_EQ(wep->KeyEdit(2)->text(), "Varlo-Station");
    Type(wep->KeyEdit(2), "Thirteen-char");
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);

    _WIRELESSPARAM expected = BlockOf<_WIRELESSPARAM>(blocks[kReadWirelessParam]);
    expected.SetEncryptionMode(1);
    expected.SetWepKeyLength(1);
    const std::string key = "Thirteen-char";
    expected.SetWepKey(1, 2, {reinterpret_cast<const uint8_t*>(key.data()), key.size()});
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(BytesEq(sent[0], WriteFrame(0x08, expected)));
    EXPECT_EQ(g_WirelessParam, expected);
}

TEST_F(COptionsDlgTest, ModeSwitchShowsTheUdpValuesAndWritesNumbersAndAddressesAsTyped) {
    Start([](sim::SimDevice& d) {
        _OPMODEPARAM o = BlockOf<_OPMODEPARAM>(d.blocks[kReadOpModeParam]);
        o.SetOpMode(2);
        d.blocks[kReadOpModeParam] = BytesOf(o);
    });
    COptionsDlg dlg;
    ShowAndActivate(dlg);
    Sent();
    dlg.TabBar()->setCurrentIndex(3);
    COpModeSettingDlg* page = dlg.OpModePage();
    EXPECT_TRUE(page->TcpClient()->isVisible());
    Select(page->ModeList(), 3);
    EXPECT_TRUE(page->Udp()->isVisible());
    EXPECT_FALSE(page->TcpClient()->isVisible());
    EXPECT_EQ(page->Udp()->Destination(0).port->text(), "4002");

    Type(page->Udp()->ListenPortEdit(), "70000");
    Type(page->Udp()->Destination(3).address, "10.20.30.40-and-some-more-text-abcdefghijklmn");
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);

    _OPMODEPARAM expected = BlockOf<_OPMODEPARAM>(blocks[kReadOpModeParam]);
    expected.SetOpMode(3);
    expected.SetUdpListenPort(4464);
    expected.SetUdpAddress(3, "10.20.30.40-and-some-more-text-abcdefgh");  // 39 characters
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(BytesEq(sent[0], WriteFrame(0x0A, expected)));

    COptionsDlg again;
    EXPECT_EQ(again.OpModePage()->Udp()->ListenPortEdit()->text(), "4464");
    EXPECT_TRUE(again.OpModePage()->Udp()->isVisibleTo(again.OpModePage()));
}

TEST_F(COptionsDlgTest, UntouchedTextsGoBackAsReadOnlyTheNameLosesTheBytesAfterItsEnd) {
    // A name in a two-byte Chinese encoding, and '~' after every terminator.
    Start([](sim::SimDevice& d) {
        _BASICPARAM b = BlockOf<_BASICPARAM>(d.blocks[kReadBasicParam]);
        std::fill_n(b.data(), _BASICPARAM::kDeviceNameWidth, uint8_t{0});
        b.SetDeviceName("\xB2\xE2\xCA\xD4-1");
        d.blocks[kReadBasicParam] = BytesOf(b);
        d.faults.dirtyText = true;
    });
    COptionsDlg dlg;
    ShowAndActivate(dlg);
    Sent();
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(BytesEq(sent[0], WriteFrame(0x07, BlockOf<_BASICPARAM>(blocks[kReadBasicParam]))));
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    EXPECT_TRUE(Sent().empty());
}

// Tab walks a page's fields top to bottom; an address field is one stop, entered at its first
// octet.
TEST_F(COptionsDlgTest, TabWalksEachPageTopToBottom) {
    Start();
    COptionsDlg dlg;
    ShowAndActivate(dlg);
    CBasicSettingDlg* basic = dlg.BasicPage();
    CWirelessSettingDlg* wireless = dlg.WirelessPage();
    CSerialSettingDlg* serial = dlg.SerialPage();
    COpModeSettingDlg* opMode = dlg.OpModePage();
    const std::vector<std::vector<QWidget*>> orders = {
        {basic->DeviceNameEdit(), basic->IpTypeList(), basic->AddressCtrl(0), basic->AddressCtrl(1),
         basic->AddressCtrl(2), basic->AddressCtrl(3), basic->AddressCtrl(4)},
        {wireless->WirelessModeList(), wireless->SsidEdit(), wireless->EncryptionModeList(),
         wireless->Wpa2()->CipherList(), wireless->Wpa2()->PassPhraseEdit()},
        {serial->BaudRateList(), serial->DataBitsList(), serial->StopBitsList(),
         serial->ParityList()},
        {opMode->ModeList(), opMode->TcpServer()->KeepAliveEdit(),
         opMode->TcpServer()->LocalPortEdit()},
    };
    for (int p = 0; p < 4; ++p) {
        dlg.TabBar()->setCurrentIndex(p);
        dlg.FocusFirstField(p);
        std::vector<QWidget*> stops;
        for (int guard = 0; guard < 40; ++guard) {
            QWidget* w = QApplication::focusWidget();
            if (w == nullptr || !dlg.Page(p)->isAncestorOf(w)) {
                break;
            }
            auto* address = qobject_cast<CIpAddressCtrl*>(w->parentWidget());
            if (address != nullptr && (stops.empty() || stops.back() != address)) {
                EXPECT_EQ(w, address->OctetEdit(0)) << "entered at the first octet";
            }
            QWidget* stop = address != nullptr ? address : w;
            if (stops.empty() || stops.back() != stop) {
                stops.push_back(stop);
            }
            QTest::keyClick(w, Qt::Key_Tab);
        }
        EXPECT_EQ(stops, orders[static_cast<std::size_t>(p)]) << "page " << p;
    }
}

}  // namespace
}  // namespace varlo::ui
