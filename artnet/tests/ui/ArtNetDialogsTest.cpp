// The node and module dialogs against the simulator on loopback, driven as an operator would:
// open, look, type and select, press the buttons, and check the exact frames that went out.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "artnet/ArtNet8OptionsDlg.h"
#include "artnet/ArtNetBasicSettingDlg.h"
#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetDialogs.h"
#include "artnet/DmxPortSettingDlg.h"
#include "artnet/GenBasicSettingDlg.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"
#include "widgets/IpAddressCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {
namespace {

using artnet::ArtNetBasicPage;
using testing::BytesEq;

class ArtNetDialogsTest : public testing::SimulatorTest {
protected:
    // One device of the type as record 0 of the device table, and its dialog, shown.
    std::unique_ptr<CArtNetOptionsDlg> Open(
        uint32_t type, const std::function<void(sim::SimDevice&)>& setup = {}) {
        sim::Rig rig;
        rig.devices.push_back(
            sim::MakeSimDevice(type, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {192, 168, 1, 50}));
        sim::InstallFactoryBlocks(rig.devices[0], 1);
        if (setup) {
            setup(rig.devices[0]);
        }
        g_arrConfigParam.RemoveAll();
        g_arrConfigParam.Add(rig.devices[0].record);
        g_nCurDevice = 0;
        identity = rig.devices[0].Identity();
        // Replies on a loaded machine may take a while: the exchange resends only after ten
        // poll steps, so a slow reply never shows up as a second request in the log.
        StartSimulator(std::move(rig), 30);
        messages.clear();
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        std::unique_ptr<CArtNetOptionsDlg> dlg = CreateArtNetOptionsDlg(type, nullptr);
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return dlg;
    }
    void TearDown() override {
        SetMessageBoxHandler({});
        SimulatorTest::TearDown();
    }
    std::vector<uint8_t> Codes() {
        std::vector<uint8_t> codes;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            codes.push_back(d.bytes.at(0));
        }
        return codes;
    }
    std::vector<uint8_t> TakeCodes() {
        std::vector<uint8_t> codes = Codes();
        simulator->ClearLog();
        return codes;
    }
    Bytes Stored(uint8_t readCode) {
        Bytes b;
        simulator->WithDevices([&](std::vector<sim::SimDevice>& d) { b = d[0].blocks[readCode]; });
        return b;
    }
    static void Retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void ShowTab(CArtNetOptionsDlg& dlg, int index) { dlg.TabBar()->setCurrentIndex(index); }
    // A LUMA-4 whose four ports output universes 0x10 to 0x13, its port page in front.
    std::unique_ptr<CArtNetOptionsDlg> OpenSubNet16() {
        std::unique_ptr<CArtNetOptionsDlg> dlg = Open(DEVTYPE_LUMA_4, [](sim::SimDevice& d) {
            auto b = _ARTNETDMXPARAM();
            b.Assign(d.blocks[0x04].data());
            for (std::size_t k = 0; k < 4; ++k) {
                _DMXPORTPARAM r = b.Port(k);
                r.SetPortMode(1);
                r.SetUniverse(static_cast<uint8_t>(0x10 + k));
                b.SetPort(k, r);
            }
            b.StampChecksum();
            d.blocks[0x04] = Bytes(b.data(), b.data() + b.size());
        });
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        ShowTab(*dlg, 1);
        return dlg;
    }
    static QStringList Universes(const CDmxPortSettingDlg& page) {
        QStringList texts;
        for (std::size_t k = 0; k < page.PortCount(); ++k) {
            texts << page.Port(k).universe->text();
        }
        return texts;
    }
    static QStringList Captions(const CDmxPortSettingDlg& page) {
        QStringList texts;
        for (std::size_t k = 0; k < page.PortCount(); ++k) {
            texts << page.Port(k).group->title();
        }
        return texts;
    }

    DeviceIdentity identity{};
    QStringList messages;
};

struct ModelCase {
    uint32_t type;
    const char* dialogClass;
    QStringList tabs;
    QStringList pageClasses;
    std::vector<uint8_t> reads;
    std::vector<uint8_t> writes;  // after one change on every page, the finish command included
    bool secondMacShown;
};

TEST_F(ArtNetDialogsTest, EveryModelOpensItsPagesAndWritesOneChangePerPage) {
    const ModelCase cases[] = {
        {DEVTYPE_LUMA_1,
         "CArtNet1OptionsDlg",
         {"Basic Settings", "NodeA Settings"},
         {"CArtNet4BasicSettingDlg", "CArtNet1NodeASettingDlg"},
         {0x16, 0x03, 0x04},
         {0x07, 0x08, 0x7E},
         false},
        {DEVTYPE_LUMA_2,
         "CArtNet2OptionsDlg",
         {"Basic Settings", "NodeA Settings"},
         {"CArtNet4BasicSettingDlg", "CArtNet2NodeASettingDlg"},
         {0x16, 0x03, 0x04},
         {0x07, 0x08, 0x7E},
         false},
        {DEVTYPE_LUMA_4,
         "CArtNet4OptionsDlg",
         {"Basic Settings", "NodeA Settings"},
         {"CArtNet4BasicSettingDlg", "CArtNet8NodeASettingDlg"},
         {0x16, 0x03, 0x04},
         {0x07, 0x08, 0x7E},
         false},
        {DEVTYPE_LUMA_8,
         "CArtNet8OptionsDlg",
         {"Basic Settings", "NodeA Settings", "NodeB Settings"},
         {"CArtNet8BasicSettingDlg", "CArtNet8NodeASettingDlg", "CArtNet8NodeBSettingDlg"},
         {0x16, 0x03, 0x04, 0x05},
         {0x07, 0x08, 0x09, 0x7E},
         true},
        {DEVTYPE_LUMA_EX,
         "CArtNet1EMOptionsDlg",
         {"Basic Settings", "DMX Settings"},
         {"CArtNet1EMBasicSettingDlg", "CArtNet1EMNodeASettingDlg"},
         {0x16, 0x03, 0x04},
         {0x07, 0x08, 0x7E},
         false},
        {DEVTYPE_LUMA_AIR_MODULE,
         "CRT5350OptionsDlg",
         {"Basic Settings"},
         {"CGenBasicSettingDlg"},
         {0x16, 0x03},
         {0x07},
         true},
    };
    for (const ModelCase& c : cases) {
        SCOPED_TRACE(c.dialogClass);
        std::unique_ptr<CArtNetOptionsDlg> dlg = Open(c.type);
        EXPECT_EQ(TakeCodes(), c.reads);
        EXPECT_EQ(dlg->objectName(), c.dialogClass);
        EXPECT_EQ(dlg->windowTitle(), "Parameter settings");
        EXPECT_EQ(dlg->OkButton()->text(), "Confirm");
        EXPECT_EQ(dlg->DefaultButton()->text(), "Default");
        QStringList tabs, pages;
        for (int i = 0; i < dlg->TabBar()->count(); ++i) {
            tabs << dlg->TabBar()->tabText(i);
            pages << dlg->Page(i)->objectName();
        }
        EXPECT_EQ(tabs, c.tabs);
        EXPECT_EQ(pages, c.pageClasses);
        EXPECT_TRUE(dlg->Page(0)->isVisible());
        EXPECT_EQ(dlg->InfoField(3)->text(), "00-1A-2B-3C-4D-5E");
        EXPECT_EQ(dlg->InfoField(4)->isVisible(), c.secondMacShown);
        EXPECT_EQ(dlg->InfoLabel(4)->isVisible(), c.secondMacShown);
        EXPECT_FALSE(dlg->InfoField(5)->isVisible());  // "Serial Number:" stays hidden
        EXPECT_FALSE(dlg->InfoField(5)->text().isEmpty());

        // One change on every page.
        if (CArtNetBasicSettingDlg* basic = dlg->BasicSettingPage()) {
            Retype(basic->DeviceNameEdit(), "Dimmer City");
        } else {
            Retype(dlg->ModuleSettingPage()->LocalIpCtrl()->OctetEdit(3), "99");
        }
        for (std::size_t p = 0; p < dlg->PortSettingPageCount(); ++p) {
            ShowTab(*dlg, static_cast<int>(p) + 1);
            QLineEdit* universe = dlg->PortSettingPage(p)->Port(0).universe;
            Retype(universe, QString::number(universe->text().toInt() ^ 0x0F));
        }
        QTest::mouseClick(dlg->ApplyButton(), Qt::LeftButton);
        EXPECT_EQ(TakeCodes(), c.writes);
        EXPECT_TRUE(messages.isEmpty());
        if (dlg->BasicSettingPage()) {
            EXPECT_EQ(_ARTNETBASICPARAM::kSize, Stored(0x03).size());
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(Stored(0x03).data())),
                      "Dimmer City");
        } else {
            EXPECT_EQ(Stored(0x03)[_RT5350BASICPARAM::kIpAddress + 3], 99);
        }
        // Confirm after that: nothing left to write, the dialog closes.
        QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        EXPECT_TRUE(Codes().empty());
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
        EXPECT_FALSE(dlg->isVisible());
        dlg.reset();
        TearDown();
    }
}

TEST_F(ArtNetDialogsTest, OpensWithTheNameSelectedAndWalksEachPageTopToBottom) {
    std::unique_ptr<CArtNetOptionsDlg> dlg = Open(DEVTYPE_LUMA_8);
    CArtNetBasicSettingDlg* basic = dlg->BasicSettingPage();
    EXPECT_TRUE(basic->DeviceNameEdit()->hasFocus());
    EXPECT_EQ(basic->DeviceNameEdit()->selectedText(), basic->DeviceNameEdit()->text());

    // The field a focused widget belongs to (an address field's octets are one field).
    const auto fieldOf = [](QWidget* w) -> QWidget* {
        for (QWidget* p = w; p != nullptr; p = p->parentWidget()) {
            if (qobject_cast<CIpAddressCtrl*>(p) != nullptr) {
                return p;
            }
        }
        return w;
    };
    const auto walk = [&](QWidget* first, int steps) {
        std::vector<QWidget*> order{first};
        for (int i = 0; i < 40 && static_cast<int>(order.size()) < steps; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* field = fieldOf(QApplication::focusWidget());
            if (field != order.back()) {
                order.push_back(field);
            }
        }
        return order;
    };
    // Basic Settings, IP Type "Custom IP" so the addresses take the focus.
    const std::vector<QWidget*> basicOrder = {
        basic->DeviceNameEdit(),
        basic->DmxHoldList(),
        basic->DisplayHoldList(),
        basic->IpTypeList(),
        basic->AddressCtrl(ArtNetBasicPage::kNodeAIp),
        basic->AddressCtrl(ArtNetBasicPage::kNodeAMask),
        basic->AddressCtrl(ArtNetBasicPage::kNodeAGateway),
        basic->AddressCtrl(ArtNetBasicPage::kNodeBIp),
    };
    ASSERT_EQ(basic->IpTypeList()->currentText(), "Custom IP");
    EXPECT_EQ(walk(basic->DeviceNameEdit(), 8), basicOrder);

    // NodeB Settings: port 5's fields, then port 6's.
    QTest::keyClick(dlg.get(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(dlg.get(), Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(dlg->TabBar()->currentIndex(), 2);
    const CDmxPortSettingDlg::PortWidgets& p5 = dlg->PortSettingPage(1)->Port(0);
    const CDmxPortSettingDlg::PortWidgets& p6 = dlg->PortSettingPage(1)->Port(1);
    EXPECT_TRUE(p5.mode->hasFocus());
    // Port 5 outputs: its unicast controls are disabled and skipped.
    const std::vector<QWidget*> portOrder = {p5.mode, p5.universe, p5.merge, p5.frameRate, p6.mode};
    EXPECT_EQ(walk(p5.mode, 5), portOrder);
}

TEST_F(ArtNetDialogsTest, TypingAUniverseKeepsTheSubNetAndSaysNothingUntilTheFieldIsLeft) {
    std::unique_ptr<CArtNetOptionsDlg> dlg = OpenSubNet16();
    CDmxPortSettingDlg* page = dlg->PortSettingPage(0);
    simulator->ClearLog();

    Retype(page->Port(0).universe, "35");
    EXPECT_EQ(Captions(*page),
              QStringList({"DMX 1 UNIVERSE = 35 ( 2-3 )", "DMX 2 UNIVERSE = 33 ( 2-1 )",
                           "DMX 3 UNIVERSE = 34 ( 2-2 )", "DMX 4 UNIVERSE = 35 ( 2-3 )"}));
    EXPECT_EQ(Universes(*page), QStringList({"35", "33", "34", "35"}));
    EXPECT_TRUE(messages.isEmpty());

    // 41 in a frame rate: the message when the field is left for another, the focus where the
    // operator went; Apply says it again, brings the field forward, and 41 is written.
    QLineEdit* rate = page->Port(2).frameRate;
    Retype(rate, "41");
    EXPECT_TRUE(messages.isEmpty());
    QTest::keyClick(rate, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(messages, QStringList({"Enter an integer between 0 and 40."}));
    EXPECT_FALSE(rate->hasFocus());
    EXPECT_EQ(rate->text(), "41");
    messages.clear();
    ShowTab(*dlg, 0);
    QTest::mouseClick(dlg->ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList({"Enter an integer between 0 and 40."}));
    EXPECT_EQ(dlg->TabBar()->currentIndex(), 1);  // the failing field's page comes forward
    EXPECT_TRUE(rate->hasFocus());
    EXPECT_EQ(rate->selectedText(), "41");
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x08, 0x7E}));
    const Bytes written = Stored(0x04);
    EXPECT_EQ(written[2 * 12 + _DMXPORTPARAM::kFrameRate], 41);
    EXPECT_EQ(written[0 * 12 + _DMXPORTPARAM::kUniverse], 0x23);
    EXPECT_EQ(written[1 * 12 + _DMXPORTPARAM::kUniverse], 0x21);
}

// The three ways typing into a port page used to lose what was typed.
TEST_F(ArtNetDialogsTest, TypingIntoAPortPageNeverLosesWhatWasTyped) {
    {
        SCOPED_TRACE("41 left in port 3's frame rate, then a universe typed into port 1");
        std::unique_ptr<CArtNetOptionsDlg> dlg = OpenSubNet16();
        CDmxPortSettingDlg* page = dlg->PortSettingPage(0);
        Retype(page->Port(2).frameRate, "41");
        QLineEdit* universe = page->Port(0).universe;
        QTest::mouseClick(universe, Qt::LeftButton);  // leaving the frame rate: its message
        QApplication::processEvents();
        EXPECT_EQ(messages, QStringList({"Enter an integer between 0 and 40."}));
        messages.clear();
        ASSERT_TRUE(universe->hasFocus());
        universe->selectAll();
        QTest::keyClicks(universe, "35");
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_TRUE(universe->hasFocus());
        EXPECT_EQ(universe->text(), "35");
        EXPECT_EQ(page->Port(2).frameRate->text(), "41");
        EXPECT_EQ(Universes(*page), QStringList({"35", "33", "34", "35"}));
        dlg.reset();
        TearDown();
    }
    {
        SCOPED_TRACE("a failing universe after a frame rate typed");
        std::unique_ptr<CArtNetOptionsDlg> dlg = OpenSubNet16();
        CDmxPortSettingDlg* page = dlg->PortSettingPage(0);
        QLineEdit* rate = page->Port(1).frameRate;
        const QString before = rate->text();
        ASSERT_NE(before, "41");
        Retype(rate, "41");
        QLineEdit* universe = page->Port(0).universe;
        Retype(universe, "x");  // leaving the frame rate: its message
        QApplication::processEvents();
        EXPECT_EQ(messages, QStringList({"Enter an integer between 0 and 40."}));
        messages.clear();
        EXPECT_EQ(rate->text(), "41");
        QTest::keyClick(universe, Qt::Key_Tab);  // leaving the universe: its message
        QApplication::processEvents();
        EXPECT_EQ(messages, QStringList({"Enter a positive integer."}));
        EXPECT_EQ(universe->text(), "x");
        EXPECT_EQ(rate->text(), "41");
        messages.clear();
        simulator->ClearLog();
        QTest::mouseClick(dlg->ApplyButton(), Qt::LeftButton);
        EXPECT_EQ(messages, QStringList({"Enter a positive integer."}));
        EXPECT_TRUE(universe->hasFocus());
        EXPECT_EQ(rate->text(), "41");
        const Bytes written = Stored(0x04);
        EXPECT_EQ(written[1 * 12 + _DMXPORTPARAM::kFrameRate], 41) << "what the field shows";
        EXPECT_EQ(written[0 * 12 + _DMXPORTPARAM::kUniverse], 0x10) << "the number it had";
        dlg.reset();
        TearDown();
    }
    {
        SCOPED_TRACE("a field emptied to retype it");
        std::unique_ptr<CArtNetOptionsDlg> dlg = OpenSubNet16();
        CDmxPortSettingDlg* page = dlg->PortSettingPage(0);
        QLineEdit* second = page->Port(1).universe;
        second->setFocus();
        second->selectAll();
        QTest::keyClick(second, Qt::Key_Delete);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(second->text(), "");
        EXPECT_TRUE(second->hasFocus());
        EXPECT_EQ(Universes(*page), QStringList({"16", "", "18", "19"}));
        QTest::keyClicks(second, "52");
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(Universes(*page), QStringList({"48", "52", "50", "51"}));
        QTest::keyClick(second, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_TRUE(messages.isEmpty());
    }
}

TEST_F(ArtNetDialogsTest, ModeAndUnicastFollowTheEnableRule) {
    std::unique_ptr<CArtNetOptionsDlg> dlg = Open(DEVTYPE_LUMA_2);
    ShowTab(*dlg, 1);
    const CDmxPortSettingDlg::PortWidgets& port = dlg->PortSettingPage(0)->Port(1);
    EXPECT_FALSE(port.unicast->isEnabled());
    EXPECT_FALSE(port.address->isEnabled());
    port.mode->setFocus();
    QTest::keyClick(port.mode, Qt::Key_Up);  // "Output" -> "Input"
    EXPECT_EQ(port.mode->currentText(), "Input");
    EXPECT_TRUE(port.unicast->isEnabled());
    EXPECT_FALSE(port.address->isEnabled());
    QTest::mouseClick(port.unicast, Qt::LeftButton);
    EXPECT_TRUE(port.address->isEnabled());
    Retype(port.address->OctetEdit(0), "10");
    simulator->ClearLog();

    QTest::mouseClick(dlg->ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x08, 0x7E}));
    const Bytes written = Stored(0x04);
    EXPECT_EQ(written[12 + _DMXPORTPARAM::kPortMode], 0);
    EXPECT_EQ(written[12 + _DMXPORTPARAM::kUnicast], 1);
    EXPECT_EQ(written[12 + _DMXPORTPARAM::kUnicastAddress], 10);
}

TEST_F(ArtNetDialogsTest, IpTypeSwitchesTheAddressFields) {
    std::unique_ptr<CArtNetOptionsDlg> dlg = Open(DEVTYPE_LUMA_8, [](sim::SimDevice& d) {
        _ARTNETBASICPARAM b;
        b.Assign(d.blocks[0x03].data());
        b.SetIpType(2);  // DHCP, with a current set that differs from the static one
        b.SetAddresses(_ARTNETBASICPARAM::kNodeACurrent, {{10, 1, 1, 1}, {255, 0, 0, 0}, {}});
        b.StampChecksum();
        d.blocks[0x03] = Bytes(b.data(), b.data() + b.size());
    });
    CArtNetBasicSettingDlg* basic = dlg->BasicSettingPage();
    CIpAddressCtrl* nodeAIp = basic->AddressCtrl(ArtNetBasicPage::kNodeAIp);
    EXPECT_FALSE(nodeAIp->isEnabled());
    EXPECT_EQ(nodeAIp->GetOctets(), (Ipv4Bytes{10, 1, 1, 1}));
    basic->IpTypeList()->setFocus();
    QTest::keyClick(basic->IpTypeList(), Qt::Key_Down);  // "Custom IP"
    EXPECT_TRUE(nodeAIp->isEnabled());
    EXPECT_TRUE(basic->AddressCtrl(ArtNetBasicPage::kNodeBGateway)->isEnabled());
    EXPECT_EQ(nodeAIp->GetOctets(), (Ipv4Bytes{192, 168, 1, 50}));  // the static set
    Retype(nodeAIp->OctetEdit(3), "77");
    QTest::keyClick(basic->IpTypeList(), Qt::Key_Up);  // "DHCP" again: the edit is gone
    EXPECT_EQ(nodeAIp->GetOctets(), (Ipv4Bytes{10, 1, 1, 1}));
    QTest::keyClick(basic->IpTypeList(), Qt::Key_Down);
    EXPECT_EQ(nodeAIp->GetOctets(), (Ipv4Bytes{192, 168, 1, 50}));

    // The four-port pages show NodeA only; with "Custom IP" only its fields are enabled.
    dlg.reset();
    TearDown();
    dlg = Open(DEVTYPE_LUMA_4);
    basic = dlg->BasicSettingPage();
    ASSERT_EQ(basic->IpTypeList()->currentText(), "Custom IP");
    EXPECT_FALSE(basic->NodeBGroup()->isVisible());
    EXPECT_TRUE(basic->AddressCtrl(ArtNetBasicPage::kNodeAIp)->isEnabled());
    EXPECT_FALSE(basic->AddressCtrl(ArtNetBasicPage::kNodeBIp)->isEnabled());
}

TEST_F(ArtNetDialogsTest, UneditedTextsGoBackAsTheirBytesAndApplyWithoutEditsSendsNothing) {
    // A name in another 8-bit encoding than the workstation's: shown as best it can be, and
    // written back as read.
    std::unique_ptr<CArtNetOptionsDlg> dlg = Open(DEVTYPE_LUMA_4, [](sim::SimDevice& d) {
        _ARTNETBASICPARAM b;
        b.Assign(d.blocks[0x03].data());
        b.SetDeviceName("B\xFChne \xC4");
        b.StampChecksum();
        d.blocks[0x03] = Bytes(b.data(), b.data() + b.size());
    });
    simulator->ClearLog();
    QTest::mouseClick(dlg->ApplyButton(), Qt::LeftButton);
    EXPECT_TRUE(Codes().empty());
    // Confirm without changes closes without any exchange. (The click left the focus on Apply,
    // which would take Enter itself.)
    dlg->BasicSettingPage()->DeviceNameEdit()->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(dlg->BasicSettingPage()->DeviceNameEdit(), Qt::Key_Return);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(Codes().empty());
}

TEST_F(ArtNetDialogsTest, CancelAfterEditsSendsNothingAndDefaultChangesNothingShown) {
    std::unique_ptr<CArtNetOptionsDlg> dlg = Open(DEVTYPE_LUMA_1);
    QLineEdit* name = dlg->BasicSettingPage()->DeviceNameEdit();
    Retype(name, "Changed");
    ShowTab(*dlg, 1);
    QLineEdit* universe = dlg->PortSettingPage(0)->Port(0).universe;
    Retype(universe, "7");
    const QString caption = dlg->PortSettingPage(0)->Port(0).group->title();
    simulator->ClearLog();

    QTest::mouseClick(dlg->DefaultButton(), Qt::LeftButton);
    ASSERT_EQ(simulator->LogSize(), 1u);
    EXPECT_TRUE(BytesEq(simulator->Log()[0].bytes, BuildShortRequest(0x7F, identity)));
    EXPECT_EQ(name->text(), "Changed");
    EXPECT_EQ(universe->text(), "7");
    EXPECT_EQ(dlg->PortSettingPage(0)->Port(0).group->title(), caption);
    EXPECT_TRUE(dlg->isVisible());
    simulator->ClearLog();

    QTest::keyClick(universe, Qt::Key_Escape);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(Codes().empty());
}

TEST_F(ArtNetDialogsTest, ADeviceThatAnswersOnlyTheDeviceInformation) {
    std::unique_ptr<CArtNetOptionsDlg> dlg = Open(DEVTYPE_LUMA_2, [](sim::SimDevice& d) {
        d.blocks.erase(0x03);  // the device stays silent on 0x03
    });
    for (const uint8_t code : TakeCodes()) {
        EXPECT_TRUE(code == 0x16 || code == 0x03) << int{code};
    }
    EXPECT_EQ(dlg->InfoField(2)->text(), "LUMA-2 DMX NODE");
    EXPECT_TRUE(dlg->InfoField(4)->isVisible());  // "NodeB MAC：" stays
    CArtNetBasicSettingDlg* basic = dlg->BasicSettingPage();
    EXPECT_EQ(basic->DeviceNameEdit()->text(), "");
    EXPECT_EQ(basic->IpTypeList()->currentText(), "2.x.x.x(Auto)");
    EXPECT_EQ(basic->DmxHoldList()->currentIndex(), -1);
    EXPECT_TRUE(basic->AddressCtrl(ArtNetBasicPage::kNodeAIp)->IsBlank());
    const CDmxPortSettingDlg::PortWidgets& port = dlg->PortSettingPage(0)->Port(0);
    EXPECT_EQ(port.group->title(), "DMX 1");
    EXPECT_EQ(port.mode->currentText(), "Output");
    EXPECT_EQ(port.merge->currentIndex(), -1);
    EXPECT_EQ(port.universe->text(), "0");
    EXPECT_TRUE(port.unicast->isEnabled());
    EXPECT_TRUE(port.address->IsBlank());

    Retype(basic->DeviceNameEdit(), "x");
    QTest::mouseClick(dlg->ApplyButton(), Qt::LeftButton);
    EXPECT_TRUE(Codes().empty());
}

TEST_F(ArtNetDialogsTest, ModuleNameIsReadOnlyAndApplyWritesOneBlockWithoutFinish) {
    std::unique_ptr<CArtNetOptionsDlg> dlg = Open(DEVTYPE_LUMA_AIR_MODULE);
    CGenBasicSettingDlg* page = dlg->ModuleSettingPage();
    EXPECT_EQ(dlg->InfoLabel(3)->text(), QString::fromUtf8("Lan MAC："));
    EXPECT_EQ(dlg->InfoLabel(4)->text(), QString::fromUtf8("Wlan MAC："));
    EXPECT_TRUE(page->LocalIpCtrl()->OctetEdit(0)->hasFocus());
    EXPECT_FALSE(page->GatewayCtrl()->isVisible());
    EXPECT_EQ(page->DeviceNameEdit()->text(), "LUMA-AIR-4D5E");
    QTest::keyClicks(page->DeviceNameEdit(), "typed");
    EXPECT_EQ(page->DeviceNameEdit()->text(), "LUMA-AIR-4D5E");
    // It looks as read-only as it is: the dialog's face under it, not an editable white.
    EXPECT_EQ(page->DeviceNameEdit()->palette().color(QPalette::Base),
              page->palette().color(QPalette::Window));
    EXPECT_EQ(page->DeviceNameEdit()->focusPolicy(), Qt::ClickFocus);
    Retype(page->SubnetMaskCtrl()->OctetEdit(2), "0");
    Retype(page->LocalIpCtrl()->OctetEdit(2), "7");
    simulator->ClearLog();

    QTest::mouseClick(dlg->ApplyButton(), Qt::LeftButton);
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 1u);
    _RT5350BASICPARAM expected;
    expected.Assign(log[0].bytes.data() + 20);
    EXPECT_EQ(log[0].bytes.size(), 80u);
    EXPECT_EQ(expected.IpAddress(), (Ipv4Bytes{192, 168, 7, 50}));
    EXPECT_EQ(expected.SubnetMask(), (Ipv4Bytes{255, 255, 0, 0}));
    EXPECT_EQ(expected.DeviceName(), "LUMA-AIR-4D5E");
    EXPECT_TRUE(expected.ChecksumMatches());
}

TEST_F(ArtNetDialogsTest, EveryModelOfTheTableHasItsDialogClass) {
    for (const artnet::ArtNetModel& m : artnet::ArtNetModels()) {
        SCOPED_TRACE(m.modelName);
        g_nCurDevice = 0;  // no table: nothing is sent
        std::unique_ptr<CArtNetOptionsDlg> dlg = CreateArtNetOptionsDlg(m.type, nullptr);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->objectName(), m.dialogClass);
    }
    EXPECT_EQ(CreateArtNetOptionsDlg(DEVTYPE_KV70, nullptr), nullptr);
    CArtNet8OptionsDlg eight;
    EXPECT_EQ(eight.PortSettingPageCount(), 2u);
}

}  // namespace
}  // namespace varlo::ui
