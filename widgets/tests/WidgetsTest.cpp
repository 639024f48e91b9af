#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "widgets/IpAddressCtrl.h"
#include "widgets/ReportListCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {
namespace {

// A window with a text field before and after the address field, as a parameter page has.
class IpAddressTyping : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(ip);
        layout->addWidget(after);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        before->setFocus();
    }

    // Keys as an operator presses them, into whatever has the focus. Plain characters are
    // typed; <Tab>, <BackTab>, <BS>, <Left>, <Right>, <Home>, <End> are keys; <Paste:TEXT>
    // puts TEXT on the clipboard and presses Ctrl+V.
    static void Press(const QString& keys) {
        for (int i = 0; i < keys.size(); ++i) {
            QWidget* w = QApplication::focusWidget();
            ASSERT_NE(w, nullptr);
            if (keys[i] != QLatin1Char('<')) {
                QTest::keyClick(w, keys[i].toLatin1());
                continue;
            }
            const int close = static_cast<int>(keys.indexOf(QLatin1Char('>'), i));
            const QString token = keys.mid(i + 1, close - i - 1);
            i = close;
            static const std::pair<const char*, Qt::Key> named[] = {
                {"Tab", Qt::Key_Tab},   {"BackTab", Qt::Key_Backtab}, {"BS", Qt::Key_Backspace},
                {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},     {"Home", Qt::Key_Home},
                {"End", Qt::Key_End}};
            if (token.startsWith(QLatin1String("Paste:"))) {
                QGuiApplication::clipboard()->setText(token.mid(6));
                QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
                continue;
            }
            const auto* key = std::find_if(std::begin(named), std::end(named),
                                           [&](const auto& n) { return token == n.first; });
            ASSERT_NE(key, std::end(named)) << token.toStdString();
            QTest::keyClick(w, key->second);
        }
    }

    // The four octets' texts joined by dots: a blank octet shows as nothing.
    QString Shown() const {
        QStringList texts;
        for (int i = 0; i < 4; ++i) {
            texts << ip->OctetEdit(i)->text();
        }
        return texts.join(QLatin1Char('.'));
    }

    QWidget window;
    QLineEdit* before = new QLineEdit;
    CIpAddressCtrl* ip = new CIpAddressCtrl;
    QLineEdit* after = new QLineEdit;
};

TEST_F(IpAddressTyping, KeystrokesReadBackAsTheAddressMeant) {
    struct Case {
        const char* start;  // the address shown before the operator tabs in; "" blank
        const char* keys;   // after Tab from the field before
        const char* shown;
    };
    const Case cases[] = {
        // Typed with dots into a blank field; a dot after a full octet is only a separator.
        {"", "10.0.0.5", "10.0.0.5"},
        {"", "192.168.1.60", "192.168.1.60"},
        {"", "255.255.255.0", "255.255.255.0"},
        // Without dots: a third digit or a value that cannot grow moves on.
        {"", "2552552550", "255.255.255.0"},
        {"", "192168001060<Tab>", "192.168.1.60"},  // padding tidied on leaving
        {"", "3010", "30.10.."},
        // Typed over the address a dialog shows: each octet is replaced as it is entered.
        {"192.168.1.60", "10.0.0.5", "10.0.0.5"},
        {"192.168.1.60", "172.16.0.254", "172.16.0.254"},
        {"10.0.0.1", "1", "1.0.0.1"},
        {"10.0.0.1", "1..2", "1.0.2.1"},  // a dot in an untouched octet keeps it
        // Above 255 is refused as typed, never clamped later.
        {"", "256.1.2.3", "25.1.2.3"},
        {"", "1.2.3.256", "1.2.3.25"},
        {"", "25.1.2.3<Home><Right><Right>9", "25.1.2.3"},
        // A dot never enters an octet; in an empty octet or after the last it does nothing.
        {"", "..10..5", "10.5.."},
        {"", "1.2.3.4.5", "1.2.3.45"},
        {"", "1a2-3 ,4", "123.4.."},
        // Corrections: Backspace in an empty octet goes back to the end of the one before.
        {"", "10.0.0.5<BS><BS><BS>7.9", "10.0.7.9"},
        {"", "192.168.1.6<BS><BS>2.3", "192.168.12.3"},
        {"", "1.2<BS><BS><BS><BS>9", "9..."},
        // Home, End and the arrows move as in one field.
        {"", "1.2.3.4<Home>9", "91.2.3.4"},
        {"", "1.2.3.4<Home><End>5", "1.2.3.45"},
        {"", "1.2.3.4<Left><Left>5", "1.2.35.4"},
        {"", "1.2.3.4<Home><Right><Right>7", "1.72.3.4"},
        // Pasting: a whole address fills all four octets wherever it lands.
        {"", "<Paste:10.0.0.5>", "10.0.0.5"},
        {"192.168.1.60", "1.<Paste: 172.16.0.9\n>", "172.16.0.9"},
        {"192.168.1.60", "10.<Paste:3.4>", "10.3.4.60"},
        {"192.168.1.60", "<Paste:300.1.1.1>", "192.168.1.60"},
        {"192.168.1.60", "<Paste:1.2.3>.<Paste:7>", "1.2.3.7"},
        {"", "<Paste:12>", "12..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " + " + c.keys);
        ip->ClearAddress();
        before->setFocus();
        if (*c.start != '\0') {
            Press(QStringLiteral("<Tab><Paste:%1><Tab>").arg(QLatin1String(c.start)));
        }
        before->setFocus();
        Press(QStringLiteral("<Tab>") + QString::fromLatin1(c.keys));
        EXPECT_EQ(Shown().toStdString(), c.shown);
        QStringList octets = Shown().split(QLatin1Char('.'));
        uint32_t expected = 0;
        for (const QString& o : octets) {
            expected = (expected << 8) | o.toUInt();
        }
        EXPECT_EQ(ip->GetAddress(), expected);
    }
}

TEST_F(IpAddressTyping, OneTabStopEnteredAtTheFirstOctetWithItsTextSelected) {
    ip->SetAddress(0xC0A8013C);
    Press(QStringLiteral("<Tab>"));
    EXPECT_EQ(QApplication::focusWidget(), ip->OctetEdit(0));
    EXPECT_EQ(ip->OctetEdit(0)->selectedText(), "192");
    Press(QStringLiteral("<Tab>"));
    EXPECT_EQ(QApplication::focusWidget(), after);
    Press(QStringLiteral("<BackTab>"));
    EXPECT_EQ(QApplication::focusWidget(), ip->OctetEdit(0));
    Press(QStringLiteral(".."));
    EXPECT_EQ(QApplication::focusWidget(), ip->OctetEdit(2));
    EXPECT_EQ(ip->OctetEdit(2)->selectedText(), "1");
    Press(QStringLiteral("<BackTab>"));
    EXPECT_EQ(QApplication::focusWidget(), before);
    Press(QStringLiteral("<Tab>.<Tab>"));
    EXPECT_EQ(QApplication::focusWidget(), after);

    // setFocus() and the tab order take the field as one widget.
    ip->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), ip->OctetEdit(0));
    EXPECT_EQ(ip->OctetEdit(0)->selectedText(), "192");
    QWidget::setTabOrder(after, ip);
    QWidget::setTabOrder(ip, before);
    after->setFocus();
    Press(QStringLiteral("<Tab>"));
    EXPECT_EQ(QApplication::focusWidget(), ip->OctetEdit(0));
    Press(QStringLiteral("...<Tab>"));
    EXPECT_EQ(QApplication::focusWidget(), before);

    // Disabled, the field is no stop at all.
    ip->setEnabled(false);
    after->setFocus();
    Press(QStringLiteral("<Tab>"));
    EXPECT_EQ(QApplication::focusWidget(), before);
}

TEST_F(IpAddressTyping, EditedSignalsOnlyTheOperatorsChanges) {
    QSignalSpy edited(ip, &CIpAddressCtrl::addressEdited);
    QSignalSpy changed(ip, &CIpAddressCtrl::addressChanged);
    ip->SetAddress(0x0A000001);
    EXPECT_EQ(ip->OctetEdit(0)->text(), "10");
    EXPECT_EQ(changed.count(), 1);
    ip->SetAddress(0x0A000001);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(edited.count(), 0);

    Press(QStringLiteral("<Tab>11"));
    ASSERT_EQ(edited.count(), 2);
    EXPECT_EQ(edited.last().at(0).toUInt(), 0x0B000001u);
    Press(QStringLiteral("<Paste:1.2.3.4>"));
    EXPECT_EQ(edited.count(), 3);
    EXPECT_EQ(edited.last().at(0).toUInt(), 0x01020304u);

    // A padded octet reads as its number and is shown so once left.
    Press(QStringLiteral("<BackTab><Tab>007"));
    EXPECT_EQ(ip->OctetEdit(0)->text(), "7");
    EXPECT_EQ(ip->GetAddress(), 0x07020304u);

    ip->ClearAddress();
    EXPECT_TRUE(ip->IsBlank());
    EXPECT_EQ(ip->GetAddress(), 0u);
}

TEST_F(IpAddressTyping, ContextMenuPasteFillsTheField) {
    QGuiApplication::clipboard()->setText(QStringLiteral("10.20.30.40"));
    QLineEdit* third = ip->OctetEdit(2);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2),
                                third->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(third, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const auto actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
        return a->text().startsWith(QStringLiteral("&Paste"));
    });
    ASSERT_NE(paste, actions.end());
    (*paste)->trigger();
    menu->close();
    EXPECT_EQ(ip->GetAddress(), 0x0A141E28u);
}

// The box a dialog shows while it initialises, before it is on screen, opens over the window
// the dialog belongs to, not at the screen's corner.
TEST(VarloMessageBox, OpensCentredOverTheWindowItBelongsTo) {
    QWidget main;
    main.setGeometry(330, 280, 420, 320);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QDialog notShownYet(&main);
    for (QWidget* parent : {static_cast<QWidget*>(&notShownYet), &main}) {
        QRect box;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (shown != nullptr) {
                box = shown->frameGeometry();
                title = shown->windowTitle();
                shown->accept();
            }
        });
        VarloMessageBox(parent, QStringLiteral("Can not create Search Socket!"));
        ASSERT_TRUE(box.isValid()) << "no box opened";
        EXPECT_EQ(title, "Varlo");
        const QPoint offset = box.center() - main.frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 4) << box.x() << "," << box.y();
    }
}

TEST(ReportListCtrl, RowsKeepInsertionOrderAndData) {
    CReportListCtrl list;
    list.SetColumns({{"No.", 50}, {"Name", 100}});
    EXPECT_EQ(list.AppendRow({"0", "b"}, 7), 0);
    EXPECT_EQ(list.AppendRow({"1", "a"}, 8), 1);
    EXPECT_EQ(list.InsertRow(99, {"2", "c"}), 2);
    EXPECT_EQ(list.CellText(1, 1), "a");
    EXPECT_EQ(list.RowData(0).toInt(), 7);
    EXPECT_EQ(list.SelectedRow(), -1);
    list.SelectRow(1);
    EXPECT_EQ(list.SelectedRow(), 1);
    list.DeleteAllRows();
    EXPECT_EQ(list.RowCount(), 0);
}

}  // namespace
}  // namespace varlo::ui
