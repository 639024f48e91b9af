// The adapter chooser, IP Search and the device list's marks, driven as an operator would.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "discovery/AdapterDlg.h"
#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceType.h"
#include "discovery/DoctorDlg.h"
#include "discovery/IpSearchDlg.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {
namespace {

// Settings of the test's own, never the operator's, and not shared with tests running at the
// same time in other processes.
class Settings {
public:
    Settings() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        // Without an organization a QSettings on Windows reads and writes nothing; there the
        // native format is the registry, which setPath does not move, so a key of its own.
        QCoreApplication::setOrganizationName(QStringLiteral("Varlo tests"));
    }
    ~Settings() {
        QSettings().clear();
        QCoreApplication::setOrganizationName(m_organization);
    }

private:
    QTemporaryDir m_dir;
    QString m_organization = QCoreApplication::organizationName();
};

std::vector<NetAdapter> Laptop() {
    NetAdapter eth0;
    eth0.name = "eth0";
    eth0.index = 2;
    eth0.addr = 0xC0A80114;
    eth0.mask = 0xFFFFFF00;
    eth0.up = true;
    NetAdapter wlan0 = eth0;
    wlan0.name = "wlan0";
    wlan0.index = 3;
    wlan0.addr = 0xA9FE1203;
    wlan0.mask = 0xFFFF0000;
    NetAdapter lo = eth0;
    lo.name = "lo";
    lo.loopback = true;
    lo.addr = 0x7F000001;
    return {lo, eth0, wlan0};
}

TEST(AdapterDlgTest, TicksAreKeptByNameAndAGoneAdapterIsShownGreyed) {
    Settings settings;
    testing::ScopedTransport transport;
    Transport().adapterSource = &Laptop;
    SaveAdapterChoice({{"usb0", "10.0.0.2", "255.255.255.0", false}});

    CAdapterDlg dlg;
    QTreeWidget* list = dlg.List();
    ASSERT_EQ(list->topLevelItemCount(), 3);  // loopback is not offered
    const QTreeWidgetItem* eth0 = list->topLevelItem(0);
    const QTreeWidgetItem* wlan0 = list->topLevelItem(1);
    const QTreeWidgetItem* usb0 = list->topLevelItem(2);
    EXPECT_EQ(eth0->text(CAdapterDlg::kName), "eth0");
    EXPECT_EQ(eth0->text(CAdapterDlg::kAddress), "192.168.1.20");
    EXPECT_EQ(eth0->text(CAdapterDlg::kMask), "255.255.255.0");
    EXPECT_EQ(eth0->checkState(0), Qt::Checked);  // never chosen: searched
    EXPECT_TRUE(eth0->flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(wlan0->flags() & Qt::ItemIsEnabled);
    EXPECT_EQ(wlan0->text(CAdapterDlg::kState), "link-local address only (no DHCP answer)");
    EXPECT_EQ(usb0->text(CAdapterDlg::kName), "usb0");
    EXPECT_EQ(usb0->text(CAdapterDlg::kState), "not present");
    EXPECT_FALSE(usb0->flags() & Qt::ItemIsEnabled);
    EXPECT_EQ(usb0->checkState(0), Qt::Unchecked);

    list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    dlg.accept();
    EXPECT_EQ(Transport().excludedInterfaces, (std::vector<std::string>{"eth0", "usb0"}));
    EXPECT_TRUE(SearchAdapters().empty());

    // The next start reads the same choice, by name.
    Transport().excludedInterfaces.clear();
    ApplyAdapterChoice();
    EXPECT_EQ(Transport().excludedInterfaces, (std::vector<std::string>{"eth0", "usb0"}));
}

sim::Rig SpreadRig() {
    sim::Rig rig;
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_LUMA_4, {0, 0x1A, 0x2B, 3, 0, 5}, {127, 1, 3, 5}));
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_KV70, {0, 0x1A, 0x2B, 3, 0, 9}, {127, 1, 3, 9}));
    for (std::size_t i = 0; i < rig.devices.size(); ++i) {
        sim::InstallFactoryBlocks(rig.devices[i], i);
    }
    return rig;
}

TEST(IpSearchDlgTest, SearchesTheRangeTypedListsWhatAnswersAndRemembersTheRange) {
    Settings settings;
    testing::ScopedTransport transport;
    testing::ScopedDeviceTable table;
    sim::SimOptions options;
    options.answerOwnAddressOnly = true;
    options.searchDelayMinMs = options.searchDelayMaxMs = 1;
    sim::DeviceSimulator simulator(SpreadRig(), options);
    ASSERT_TRUE(simulator.Start(0, 0));
    Transport().targetPort = simulator.Port();
    Transport().searchLocalPort = 0;
    g_arrConfigParam.RemoveAll();
    g_arrConfigParam.Add(_CONFIGPARAM());  // found before: stays first

    CIpSearchDlg dlg;
    dlg.show();
    dlg.RangeBox()->setEditText(QStringLiteral("127.1.3.0-127.1.4"));
    EXPECT_FALSE(dlg.OnSearch());
    EXPECT_TRUE(dlg.StatusText()->text().startsWith("Not searched: an address, a range"));
    EXPECT_EQ(simulator.Received(), 0u);

    dlg.RangeBox()->setEditText(QStringLiteral("127.1.3.0/28"));
    QTest::mouseClick(dlg.findChild<QPushButton*>("Search"), Qt::LeftButton);
    EXPECT_TRUE(dlg.Running());
    EXPECT_EQ(dlg.findChild<QPushButton*>("Stop")->text(), "Stop");
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.Running(), 10000);
    EXPECT_EQ(simulator.Received(), 16u);
    ASSERT_EQ(dlg.ResultList()->RowCount(), 2);
    ASSERT_EQ(g_arrConfigParam.GetSize(), 3u);
    // Numbered as the device list will show them, after the device found before.
    EXPECT_EQ(dlg.ResultList()->CellText(0, 0), "1");
    EXPECT_EQ(dlg.ResultList()->CellText(0, 3), "127.1.3.5");
    EXPECT_EQ(dlg.ResultList()->CellText(1, 1), "KV-70");
    EXPECT_EQ(dlg.StatusText()->text(), "Asked 16 of 16 address(es); 2 device(s) found");
    EXPECT_EQ(dlg.findChild<QPushButton*>("Stop")->text(), "Close");
    EXPECT_EQ(CIpSearchDlg::RememberedRanges(), QStringList{"127.1.3.0/28"});
    simulator.Stop();
}

TEST(IpSearchDlgTest, StopEndsTheSearchEarly) {
    Settings settings;
    testing::ScopedTransport transport;
    testing::ScopedDeviceTable table;
    Transport().targetPort = 9;  // discard: nobody answers on loopback
    Transport().searchLocalPort = 0;
    CIpSearchDlg dlg;
    dlg.RangeBox()->setEditText(QStringLiteral("127.2.0.0/16"));
    ASSERT_TRUE(dlg.OnSearch());
    QTest::mouseClick(dlg.findChild<QPushButton*>("Stop"), Qt::LeftButton);
    EXPECT_FALSE(dlg.Running());
    EXPECT_LT(dlg.Progress()->value(), 65536);
}

TEST(DeviceListMarksTest, AnAddressOutsideTheAdaptersSubnetGetsAnIconAndWhatToDo) {
    testing::ScopedDeviceTable table;
    g_arrConfigParam.RemoveAll();
    DeviceRoute route;
    route.adapter = Laptop()[1];
    g_arrConfigParam.Add(_CONFIGPARAM::FromBytes(testing::HexArray<16>(
                             "04 00 00 90 00 00 00 1A 2B 00 00 01 C0 A8 01 32")),
                         route);  // 192.168.1.50: fits eth0
    g_arrConfigParam.Add(_CONFIGPARAM::FromBytes(testing::HexArray<16>(
                             "04 00 00 90 00 00 00 1A 2B 00 00 02 0A 00 00 07")),
                         route);  // 10.0.0.7: does not
    CConfigurationListCtrl list;
    list.RefreshDeviceList();
    const QTreeWidgetItem* fits = list.topLevelItem(0);
    const QTreeWidgetItem* outside = list.topLevelItem(1);
    EXPECT_TRUE(fits->icon(CConfigurationListCtrl::kIpColumn).isNull());
    EXPECT_TRUE(fits->toolTip(0).isEmpty());
    EXPECT_FALSE(outside->icon(CConfigurationListCtrl::kIpColumn).isNull());
    EXPECT_TRUE(outside->toolTip(1).startsWith("10.0.0.7 is outside the subnet of eth0"));
    EXPECT_EQ(outside->text(4), "OK");
}

TEST(DoctorDlgTest, ShowsTheFindingsInPlainWords) {
    testing::ScopedTransport transport;
    Transport().adapterSource = &Laptop;
    Transport().searchLocalPort = 0;
    // An operator's default target, so the findings list the adapters; the dialog only reads
    // the adapter list and sends nothing.
    Transport().targetAddr = kLimitedBroadcast;
    CDoctorDlg dlg;
    const QString text = dlg.Text();
    EXPECT_TRUE(text.contains("eth0  192.168.1.20/24 (mask 255.255.255.0): searched"));
    EXPECT_TRUE(
        text.contains("wlan0  169.254.18.3/16 (mask 255.255.0.0): not searched "
                      "(link-local address only (no DHCP answer))"));
    EXPECT_TRUE(text.contains("What to try next"));
}

}  // namespace
}  // namespace varlo::ui
