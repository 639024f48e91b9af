// What the keys do in every parameter dialog, against the simulator: Enter, Space and Esc with
// the focus on each button and on a field of each page, and what went out on the wire; and the
// Tab order from the tab bar through the page shown to the buttons and round.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <functional>
#include <memory>

#include "app/ParamDialogs.h"
#include "artnet/ArtNetBasicSettingDlg.h"
#include "artnet/ArtNetOptionsDlg.h"
#include "artnet/DmxPortSettingDlg.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "serialserver/BasicSettingDlg.h"
#include "serialserver/OpModeSettingDlg.h"
#include "serialserver/OptionsDlg.h"
#include "serialserver/RealComSettings.h"
#include "serialserver/SerialSettingDlg.h"
#include "serialserver/TcpServerSettings.h"
#include "serialserver/WirelessSettingDlg.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {
namespace {

// Where the focus is put, on which page, the key, and what the dialog then did. Before the key
// the device name was changed, so every OK and Apply has a block to write.
struct KeyCase {
    const char* name;
    int page;
    std::function<QWidget*(ParamDialogFrame&)> focus;
    Qt::Key key;
    std::vector<uint8_t> sent;
    bool closed;
    QDialog::DialogCode result = QDialog::Rejected;  // when closed
};

class DialogKeysTest : public testing::SimulatorTest {
protected:
    // One device of the type as record 0 of the table, and its dialog, shown and active.
    std::unique_ptr<ParamDialogFrame> Open(uint32_t type) {
        sim::Rig rig;
        rig.devices.push_back(
            sim::MakeSimDevice(type, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {192, 168, 1, 50}));
        sim::InstallFactoryBlocks(rig.devices[0], 1);
        g_arrConfigParam.RemoveAll();
        g_nCurDevice = static_cast<int>(g_arrConfigParam.Add(rig.devices[0].record));
        StartSimulator(std::move(rig));
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        std::unique_ptr<QDialog> dlg = MakeParamDialog(type, nullptr);
        auto* frame = dynamic_cast<ParamDialogFrame*>(dlg.get());
        EXPECT_NE(frame, nullptr);
        dlg.release();
        std::unique_ptr<ParamDialogFrame> owned(frame);
        owned->show();
        owned->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(owned.get()));
        simulator->ClearLog();
        return owned;
    }
    void TearDown() override {
        SetMessageBoxHandler({});
        SimulatorTest::TearDown();
    }
    std::vector<uint8_t> TakeCodes() {
        std::vector<uint8_t> codes;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            codes.push_back(d.bytes.at(0));
        }
        simulator->ClearLog();
        return codes;
    }
    // A page picked with the mouse, as an operator picks it.
    static void ClickTab(ParamDialogFrame& dlg, int index) {
        QTest::mouseClick(dlg.TabBar(), Qt::LeftButton, {}, dlg.TabBar()->tabRect(index).center());
        ASSERT_EQ(dlg.TabBar()->currentIndex(), index);
    }
    static void Retype(QLineEdit* edit, const QString& text) {
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // Each case on a dialog of its own, opened afresh.
    void RunKeyCases(uint32_t type, const std::vector<KeyCase>& cases,
                     const std::function<void(ParamDialogFrame&)>& edit) {
        for (const KeyCase& c : cases) {
            SCOPED_TRACE(c.name);
            std::unique_ptr<ParamDialogFrame> dlg = Open(type);
            edit(*dlg);
            ClickTab(*dlg, c.page);
            QWidget* target = c.focus(*dlg);
            target->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(target->hasFocus());
            QTest::keyClick(target, c.key);
            EXPECT_EQ(TakeCodes(), c.sent);
            EXPECT_EQ(!dlg->isVisible(), c.closed);
            if (c.closed) {
                EXPECT_EQ(dlg->result(), c.result);
            }
            dlg.reset();
            TearDown();
        }
    }

    QStringList messages;
};

QWidget* Ok(ParamDialogFrame& d) {
    return d.OkButton();
}
QWidget* Apply(ParamDialogFrame& d) {
    return d.ApplyButton();
}
QWidget* Cancel(ParamDialogFrame& d) {
    return d.CancelButton();
}
QWidget* Default(ParamDialogFrame& d) {
    return d.DefaultButton();
}

COptionsDlg& Serial(ParamDialogFrame& d) {
    return dynamic_cast<COptionsDlg&>(d);
}
CArtNetOptionsDlg& Node(ParamDialogFrame& d) {
    return dynamic_cast<CArtNetOptionsDlg&>(d);
}

TEST_F(DialogKeysTest, SerialServerAFocusedButtonTakesEnterAndSpaceEnterElsewhereIsOkEscCancels) {
    const std::vector<uint8_t> write = {0x07};  // the network block; no finish command
    const std::vector<uint8_t> none;
    const auto name = [](ParamDialogFrame& d) -> QWidget* {
        return Serial(d).BasicPage()->DeviceNameEdit();
    };
    const auto ssid = [](ParamDialogFrame& d) -> QWidget* {
        return Serial(d).WirelessPage()->SsidEdit();
    };
    const auto baud = [](ParamDialogFrame& d) -> QWidget* {
        return Serial(d).SerialPage()->BaudRateList();
    };
    const auto localPort = [](ParamDialogFrame& d) -> QWidget* {
        return Serial(d).OpModePage()->TcpServer()->LocalPortEdit();
    };
    const std::vector<KeyCase> cases = {
        {"OK, Enter", 0, Ok, Qt::Key_Return, write, true, QDialog::Accepted},
        {"OK, Space", 0, Ok, Qt::Key_Space, write, true, QDialog::Accepted},
        {"OK, Esc", 0, Ok, Qt::Key_Escape, none, true},
        {"Apply, Enter", 0, Apply, Qt::Key_Return, write, false},
        {"Apply, keypad Enter", 0, Apply, Qt::Key_Enter, write, false},
        {"Apply, Space", 0, Apply, Qt::Key_Space, write, false},
        {"Apply, Esc", 0, Apply, Qt::Key_Escape, none, true},
        {"Cancel, Enter", 0, Cancel, Qt::Key_Return, none, true},
        {"Cancel, Space", 0, Cancel, Qt::Key_Space, none, true},
        {"Cancel, Esc", 0, Cancel, Qt::Key_Escape, none, true},
        {"network page: the name, Enter", 0, name, Qt::Key_Return, write, true, QDialog::Accepted},
        {"network page: the name, Esc", 0, name, Qt::Key_Escape, none, true},
        {"wireless page: the SSID, Enter", 1, ssid, Qt::Key_Return, write, true, QDialog::Accepted},
        {"wireless page: the SSID, Esc", 1, ssid, Qt::Key_Escape, none, true},
        {"serial page: the baud rate, Enter", 2, baud, Qt::Key_Return, write, true,
         QDialog::Accepted},
        {"serial page: the baud rate, Esc", 2, baud, Qt::Key_Escape, none, true},
        {"operating mode: the TCP server's port, Enter", 3, localPort, Qt::Key_Return, write, true,
         QDialog::Accepted},
        {"operating mode: the TCP server's port, Esc", 3, localPort, Qt::Key_Escape, none, true},
    };
    RunKeyCases(DEVTYPE_KV70, cases, [](ParamDialogFrame& d) {
        Retype(Serial(d).BasicPage()->DeviceNameEdit(), "Hall-9");
    });
}

TEST_F(DialogKeysTest, SerialServerEnterInTheRealComKeepAliveDoesNothingEscStillCancels) {
    std::unique_ptr<ParamDialogFrame> dlg = Open(DEVTYPE_KV70);
    COpModeSettingDlg* page = Serial(*dlg).OpModePage();
    Retype(Serial(*dlg).BasicPage()->DeviceNameEdit(), "Hall-9");
    ClickTab(*dlg, 3);
    page->ModeList()->setFocus();
    page->ModeList()->setCurrentIndex(0);  // real COM
    ASSERT_TRUE(page->RealCom()->isVisible());
    QLineEdit* keepAlive = page->RealCom()->KeepAliveEdit();
    Retype(keepAlive, "7");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(keepAlive, key);
        EXPECT_TRUE(TakeCodes().empty());
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_TRUE(keepAlive->hasFocus());
    }
    QTest::keyClick(keepAlive, Qt::Key_Escape);
    EXPECT_TRUE(TakeCodes().empty());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(DialogKeysTest, NodeAFocusedButtonTakesEnterAndSpaceEnterElsewhereIsConfirmEscCancels) {
    const std::vector<uint8_t> write = {0x07, 0x7E};  // the basic block and the finish command
    const std::vector<uint8_t> defaults = {0x7F};
    const std::vector<uint8_t> none;
    const auto name = [](ParamDialogFrame& d) -> QWidget* {
        return Node(d).BasicSettingPage()->DeviceNameEdit();
    };
    const auto universe = [](ParamDialogFrame& d) -> QWidget* {
        return Node(d).PortSettingPage(0)->Port(1).universe;
    };
    const std::vector<KeyCase> cases = {
        {"Confirm, Enter", 0, Ok, Qt::Key_Return, write, true, QDialog::Accepted},
        {"Confirm, Space", 0, Ok, Qt::Key_Space, write, true, QDialog::Accepted},
        {"Confirm, Esc", 0, Ok, Qt::Key_Escape, none, true},
        {"Apply, Enter", 0, Apply, Qt::Key_Return, write, false},
        {"Apply, Space", 0, Apply, Qt::Key_Space, write, false},
        {"Apply, Esc", 0, Apply, Qt::Key_Escape, none, true},
        {"Cancel, Enter", 0, Cancel, Qt::Key_Return, none, true},
        {"Cancel, Space", 0, Cancel, Qt::Key_Space, none, true},
        {"Cancel, Esc", 0, Cancel, Qt::Key_Escape, none, true},
        {"Default, Enter", 0, Default, Qt::Key_Return, defaults, false},
        {"Default, keypad Enter", 0, Default, Qt::Key_Enter, defaults, false},
        {"Default, Space", 0, Default, Qt::Key_Space, defaults, false},
        {"Default, Esc", 0, Default, Qt::Key_Escape, none, true},
        {"basic page: the name, Enter", 0, name, Qt::Key_Return, write, true, QDialog::Accepted},
        {"basic page: the name, Esc", 0, name, Qt::Key_Escape, none, true},
        {"port page: a universe, Enter", 1, universe, Qt::Key_Return, write, true,
         QDialog::Accepted},
        {"port page: a universe, Esc", 1, universe, Qt::Key_Escape, none, true},
    };
    RunKeyCases(DEVTYPE_LUMA_4, cases, [](ParamDialogFrame& d) {
        Retype(Node(d).BasicSettingPage()->DeviceNameEdit(), "Hall-9");
    });
    EXPECT_TRUE(messages.isEmpty());
}

// Tab from the tab bar enters the page shown, walks its fields and then the buttons, Default
// first, and comes back to the tab bar; Shift+Tab goes the other way. On every page of every
// dialog, each picked with the mouse.
TEST_F(DialogKeysTest, TabGoesFromTheTabBarThroughThePageToTheButtonsAndRound) {
    const uint32_t types[] = {DEVTYPE_KV70,           DEVTYPE_LUMA_1, DEVTYPE_LUMA_2,
                              DEVTYPE_LUMA_4,         DEVTYPE_LUMA_8, DEVTYPE_LUMA_EX,
                              DEVTYPE_LUMA_AIR_MODULE};
    const auto tab = [](bool back) {
        QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
        return QApplication::focusWidget();
    };
    for (const uint32_t type : types) {
        std::unique_ptr<ParamDialogFrame> dlg = Open(type);
        std::vector<QWidget*> buttons;
        if (dlg->DefaultButton()) {
            buttons.push_back(dlg->DefaultButton());
        }
        buttons.insert(buttons.end(), {dlg->OkButton(), dlg->ApplyButton(), dlg->CancelButton()});
        // Backwards first, so that each page starts from the same place.
        for (int p = dlg->PageCount() - 1; p >= 0; --p) {
            SCOPED_TRACE(dlg->objectName().toStdString() + " page " + std::to_string(p));
            ClickTab(*dlg, p);
            ASSERT_TRUE(dlg->TabBar()->hasFocus()) << "a click on a tab gives the tab bar focus";
            QWidget* first = tab(false);
            ASSERT_NE(first, nullptr);
            EXPECT_TRUE(dlg->Page(p)->isAncestorOf(first)) << first->metaObject()->className();
            // The page's first field: the stop nearest its top, then its left.
            QWidget* top = nullptr;
            for (QWidget* w : dlg->Page(p)->findChildren<QWidget*>()) {
                if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
                    !w->focusProxy()) {
                    const QPoint at = w->mapTo(dlg->Page(p), QPoint(0, 0));
                    const QPoint best =
                        top ? top->mapTo(dlg->Page(p), QPoint(0, 0)) : QPoint(1 << 20, 1 << 20);
                    if (at.y() < best.y() || (at.y() == best.y() && at.x() < best.x())) {
                        top = w;
                    }
                }
            }
            EXPECT_EQ(first, top);
            EXPECT_EQ(tab(true), dlg->TabBar());

            // Forwards: the page's fields, then every button, then the tab bar again.
            QWidget* w = tab(false);
            for (int guard = 0; guard < 60 && dlg->Page(p)->isAncestorOf(w); ++guard) {
                w = tab(false);
            }
            for (QWidget* button : buttons) {
                EXPECT_EQ(w, button) << button->objectName().toStdString();
                w = tab(false);
            }
            EXPECT_EQ(w, dlg->TabBar());
            // Backwards from the tab bar: the buttons from the last.
            for (auto b = buttons.rbegin(); b != buttons.rend(); ++b) {
                EXPECT_EQ(tab(true), *b);
            }
            EXPECT_TRUE(dlg->Page(p)->isAncestorOf(tab(true)));
        }
        dlg.reset();
        TearDown();
    }
}

}  // namespace
}  // namespace varlo::ui
