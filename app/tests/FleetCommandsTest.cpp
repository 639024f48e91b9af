// Export, Import, Batch change and Clear All Devices through the real main window against the
// simulator, driven as an operator drives them: the toolbar or menu command, the dialogs' own
// buttons, the preview's tick boxes. What reaches the devices is checked byte for byte.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/ChangePreviewDlg.h"
#include "app/FleetCommands.h"
#include "app/MainFrame.h"
#include "app/PreviewEdit.h"
#include "app/PreviewPane.h"
#include "app/VarloView.h"
#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDmxParam.h"
#include "configfiles/BlockJson.h"
#include "configfiles/ConfigFile.h"
#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"
#include "transport/FrameCrc.h"
#include "transport/FrameHeader.h"

namespace varlo::ui {
namespace {

using testing::BytesEq;

constexpr uint8_t kNetwork = 0x03;  // the basic block's read code, both families
constexpr uint8_t kNodeA = 0x04;    // an Art-Net node's first port block

// Answers the modal windows of a command as they come up, one step each, in order; windows no
// step waits for (the progress dialog) are left to run.
class Operator {
public:
    using Step = std::function<void(QWidget*)>;

    Operator() {
        QObject::connect(&m_poll, &QTimer::timeout, [this] { Poll(); });
        m_poll.start(5);
    }
    // When a modal window of this object name is in front: act on it.
    Operator& On(const QString& name, Step step) {
        m_steps.push_back({name, std::move(step)});
        return *this;
    }
    bool AllDone() const { return m_next == m_steps.size(); }
    // Runs from the progress dialog: lets a step see it.
    std::size_t Next() const { return m_next; }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || m_next >= m_steps.size() || !modal->isVisible() ||
            modal->objectName() != m_steps[m_next].first) {
            return;
        }
        const Step step = m_steps[m_next++].second;
        step(modal);
    }

    QTimer m_poll;
    std::vector<std::pair<QString, Step>> m_steps;
    std::size_t m_next = 0;
};

template <typename W>
W* Child(QWidget* parent, const char* name) {
    W* w = parent->findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Click(QWidget* parent, const char* button) {
    QAbstractButton* b = Child<QAbstractButton>(parent, button);
    ASSERT_TRUE(b);
    ASSERT_TRUE(b->isEnabled()) << button;
    QTest::mouseClick(b, Qt::LeftButton);
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

sim::SimDevice Device(uint32_t type, uint8_t n) {
    sim::SimDevice d = sim::MakeSimDevice(type, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, n},
                                          {192, 168, 1, uint8_t(100 + n)});
    sim::InstallFactoryBlocks(d, n);
    return d;
}

class FleetCommandsTest : public testing::SimulatorTest {
protected:
    void StartRig(std::initializer_list<uint32_t> types) {
        sim::Rig rig;
        uint8_t n = 0;
        for (const uint32_t type : types) {
            rig.devices.push_back(Device(type, ++n));
        }
        devices = rig.devices;
        StartSimulator(std::move(rig));
        dir = std::filesystem::temp_directory_path() /
              ("varlo-fleet-test-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        // The list as a search leaves it, without the search.
        g_arrConfigParam.RemoveAll();
        for (const sim::SimDevice& d : devices) {
            g_arrConfigParam.Add(d.record);
        }
        frame = std::make_unique<CMainFrame>();
        frame->Fleet()->SetBackupDir(dir / "backups");
        // One device at a time: the virtual clock serves one thread.
        frame->Fleet()->SetJobs(1);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        List()->RefreshDeviceList();
        frame->FindView()->SelectPane(0);
    }
    void TearDown() override {
        frame.reset();
        SimulatorTest::TearDown();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    CConfigurationListCtrl* List() const { return frame->FindView()->DeviceList(); }
    QAction* Action(const char* name) const {
        return frame->findChild<QAction*>(QLatin1String(name));
    }
    QString ResultText() const { return frame->PreviewPane()->Edit()->toPlainText(); }
    void SelectRows(std::initializer_list<int> rows) {
        List()->clearSelection();
        for (const int r : rows) {
            List()->topLevelItem(r)->setSelected(true);
        }
    }

    // A device's configuration file, as Export writes it.
    std::filesystem::path SaveFileOf(std::size_t device) {
        const sim::SimDevice& d = devices.at(device);
        ConfigSession session(SessionModelOf(d.Type()), d.Identity());
        EXPECT_EQ(session.Open(), session.BlockCount());
        const std::filesystem::path path = dir / ("device" + std::to_string(device) + ".json");
        std::string error;
        EXPECT_TRUE(SaveConfigFile(
            path, ConfigFileJson(d.record, session.Model(), SavedBlocks(session)), &error))
            << error;
        simulator->ClearLog();
        return path;
    }
    Bytes BlockOf(std::size_t device, uint8_t readCode) {
        Bytes out;
        simulator->WithDevices(
            [&](std::vector<sim::SimDevice>& all) { out = all.at(device).blocks.at(readCode); });
        return out;
    }
    void SetBlock(std::size_t device, uint8_t readCode, const Bytes& bytes) {
        simulator->WithDevices(
            [&](std::vector<sim::SimDevice>& all) { all.at(device).blocks[readCode] = bytes; });
    }
    // The writes and commands a device received, whole, in order: what changes a device.
    std::vector<Bytes> WritesTo(std::size_t device) const {
        const DeviceIdentity id = devices.at(device).Identity();
        std::vector<Bytes> out;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            if (d.bytes.size() >= kRequestHeaderSize && d.bytes[0] >= 0x07 && d.bytes[0] != 0x16 &&
                std::equal(id.begin(), id.end(), d.bytes.begin() + 8)) {
                out.push_back(d.bytes);
            }
        }
        return out;
    }
    std::size_t AllWrites() const {
        std::size_t n = 0;
        for (std::size_t d = 0; d < devices.size(); ++d) {
            n += WritesTo(d).size();
        }
        return n;
    }
    Bytes WriteOf(std::size_t device, uint8_t code, const Bytes& block) const {
        return BuildWriteRequest(code, devices.at(device).Identity(), block.data(), block.size());
    }
    Bytes FinishOf(std::size_t device) const {
        const SessionModel& model = SessionModelOf(devices.at(device).Type());
        return model.shape(model.finishCode, devices.at(device).Identity());
    }
    // An Art-Net block with its checksum stamped afresh.
    static Bytes Stamped(Bytes block) {
        StampFrameCrc(block.data(), static_cast<uint16_t>(block.size() - 4));
        return block;
    }
    // A network block of an Art-Net node with another name.
    static Bytes Renamed(const Bytes& block, const std::string& name) {
        _ARTNETBASICPARAM b;
        b.Assign(block.data());
        b.SetDeviceName(name);
        Bytes out(b.data(), b.data() + b.size());
        return out.size() == 88 ? Stamped(out) : out;
    }

    std::vector<sim::SimDevice> devices;
    std::filesystem::path dir;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(FleetCommandsTest, ClearAllDevicesAsksFirstAndEmptiesTheList) {
    StartRig({DEVTYPE_LUMA_4, DEVTYPE_KV70});
    SelectRows({1});
    g_nCurDevice = 1;
    {
        Operator op;
        op.On("ClearAllQuestion", [](QWidget* box) {
            QTest::mouseClick(static_cast<QMessageBox*>(box)->button(QMessageBox::No),
                              Qt::LeftButton);
        });
        Action("ClearAllDevices")->trigger();
        EXPECT_TRUE(op.AllDone());
    }
    EXPECT_EQ(List()->RowCount(), 2) << "No keeps every row";
    EXPECT_EQ(g_arrConfigParam.GetSize(), 2u);
    {
        Operator op;
        op.On("ClearAllQuestion", [](QWidget* box) {
            QTest::mouseClick(static_cast<QMessageBox*>(box)->button(QMessageBox::Yes),
                              Qt::LeftButton);
        });
        Action("ClearAllDevices")->trigger();
        EXPECT_TRUE(op.AllDone());
    }
    EXPECT_EQ(List()->RowCount(), 0);
    EXPECT_EQ(g_arrConfigParam.GetSize(), 0u);
    EXPECT_EQ(g_nCurDevice, 0);
    EXPECT_FALSE(Action("Export")->isEnabled());
    EXPECT_FALSE(Action("BatchChange")->isEnabled());
    // An empty list: nothing to ask.
    Operator op;
    op.On("ClearAllQuestion", [](QWidget* box) { static_cast<QDialog*>(box)->reject(); });
    Action("ClearAllDevices")->trigger();
    EXPECT_FALSE(op.AllDone());
    EXPECT_EQ(AllWrites(), 0u);
}

TEST_F(FleetCommandsTest, ExportWritesAFilePerDeviceAndTheCsvAndSendsOnlyReads) {
    StartRig({DEVTYPE_LUMA_4, DEVTYPE_KV70, DEVTYPE_LUMA_8});
    SetBlock(0, kNetwork, Renamed(BlockOf(0, kNetwork), "Stage, left"));
    sim::SimFaults silent;
    silent.silent = true;
    simulator->SetFaults(2, silent);
    List()->clearSelection();  // no selection: every row
    const std::filesystem::path out = dir / "out";
    Operator op;
    op.On("ExportDlg", [&](QWidget* dlg) {
        Child<QLineEdit>(dlg, "Folder")->setText(QString::fromStdString(out.string()));
        QTest::mouseClick(Child<QCheckBox>(dlg, "NoSecrets"), Qt::LeftButton);
        Click(dlg, "Export");
    });
    QTest::mouseClick(frame->ToolBar()->widgetForAction(Action("Export")), Qt::LeftButton);
    ASSERT_TRUE(op.AllDone());

    for (std::size_t d = 0; d < 2; ++d) {
        ConfigFile file;
        std::string error;
        const std::string name = "00-1A-2B-3C-4D-0" + std::to_string(d + 1) + ".json";
        ASSERT_TRUE(LoadConfigFile(out / name, &file, &error)) << error;
        EXPECT_EQ(file.record.byMac(), devices[d].record.byMac());
        EXPECT_TRUE(BytesEq(file.blocks.at(1), BlockOf(d, kNetwork)));
    }
    // Without secrets: the KV-70's file says so.
    EXPECT_NE(ReadText(out / "00-1A-2B-3C-4D-02.json").find("\"secrets\": \"left out\""),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out / "00-1A-2B-3C-4D-03.json"))
        << "a device that did not answer gets no file";
    const std::string csv = ReadText(out / "devices.csv");
    EXPECT_EQ(csv.rfind("model,mac,ip,name,firmware\r\n"
                        "LUMA-4,00:1A:2B:3C:4D:01,192.168.1.101,\"Stage, left\",",
                        0),
              0u)
        << csv;
    EXPECT_NE(csv.find("\r\nKV-70,00:1A:2B:3C:4D:02,192.168.1.102,"), std::string::npos) << csv;
    // The device that did not answer is still in the inventory, with what the search told.
    EXPECT_NE(csv.find("\r\nLUMA-8,00:1A:2B:3C:4D:03,192.168.1.103,,\r\n"), std::string::npos)
        << csv;
    EXPECT_EQ(AllWrites(), 0u) << "Export only reads";
    const QString text = ResultText();
    EXPECT_TRUE(text.contains("00:1A:2B:3C:4D:01 LUMA-4: saved ")) << text.toStdString();
    EXPECT_TRUE(text.contains(" (without pass phrases and WEP keys)\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("00:1A:2B:3C:4D:03 LUMA-8: FAILED: reading")) << text.toStdString();
    EXPECT_TRUE(text.contains("export: 3 device(s): 1 failed, 2 saved\n")) << text.toStdString();
}

// The entries of the preview: per device its tick state (or "-" for no tick box) and its
// text, then per change "FIELD: NOW -> AFTER".
QStringList PreviewLines(QWidget* dlg) {
    QStringList lines;
    QTreeWidget* list = Child<QTreeWidget>(dlg, "PreviewList");
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        const QVariant check = item->data(0, Qt::CheckStateRole);
        lines << (check.isValid() ? (check.toInt() == Qt::Checked ? "[x] " : "[ ] ") : "-   ") +
                     item->text(0) + " | " + item->text(1);
        for (int c = 0; c < item->childCount(); ++c) {
            const QTreeWidgetItem* change = item->child(c);
            lines << "    " + change->text(1) + ": " + change->text(2) + " -> " + change->text(3);
        }
    }
    return lines;
}

TEST_F(FleetCommandsTest, ImportPreviewsEveryChangeThenWritesTheTickedDevicesAfterABackup) {
    StartRig({DEVTYPE_LUMA_4, DEVTYPE_KV70, DEVTYPE_LUMA_2});
    const std::filesystem::path luma4 = SaveFileOf(0);
    const std::filesystem::path kv70 = SaveFileOf(1);
    const std::filesystem::path luma2 = SaveFileOf(2);
    const Bytes luma4File = BlockOf(0, kNetwork);
    const Bytes luma2File = BlockOf(2, kNetwork);
    // The nodes were renamed since their files were made; the KV-70 was not.
    SetBlock(0, kNetwork, Renamed(luma4File, "moved"));
    SetBlock(2, kNetwork, Renamed(luma2File, "moved too"));
    // A hand-broken file and a file of a device the list does not hold.
    const std::filesystem::path broken = dir / "broken.json";
    std::ofstream(broken) << "{\"format\": \"varlo-config\", \"version\": 1";
    frame->Fleet()->SetFilesChooser([&](QWidget*) {
        return QStringList{
            QString::fromStdString(luma4.string()), QString::fromStdString(kv70.string()),
            QString::fromStdString(broken.string()), QString::fromStdString(luma2.string())};
    });
    QStringList shown;
    Operator op;
    op.On("ChangePreview", [&](QWidget* dlg) {
        shown = PreviewLines(dlg);
        // The LUMA-2 is left out: its tick box is cleared.
        QTreeWidget* list = Child<QTreeWidget>(dlg, "PreviewList");
        list->topLevelItem(3)->setCheckState(0, Qt::Unchecked);
        Click(dlg, "Write");
    });
    QTest::mouseClick(frame->ToolBar()->widgetForAction(Action("Import")), Qt::LeftButton);
    ASSERT_TRUE(op.AllDone());

    ASSERT_EQ(shown.size(), 6) << shown.join("\n").toStdString();
    EXPECT_EQ(shown[0], "[x] 00:1A:2B:3C:4D:01 LUMA-4 from device0.json | 1 field(s) change");
    EXPECT_EQ(shown[1], "    _ARTNETBASICPARAM.deviceName: \"moved\" -> \"" +
                            QString::fromStdString([&] {
                                _ARTNETBASICPARAM b;
                                b.Assign(luma4File.data());
                                return b.DeviceName();
                            }()) +
                            "\"");
    EXPECT_EQ(shown[2],
              "-   00:1A:2B:3C:4D:02 KV-70 from device1.json | unchanged: nothing to write");
    EXPECT_TRUE(shown[3].startsWith("-   broken.json | ")) << shown[3].toStdString();
    EXPECT_TRUE(shown[3].contains("not complete JSON")) << shown[3].toStdString();
    EXPECT_EQ(shown[4], "[x] 00:1A:2B:3C:4D:03 LUMA-2 from device2.json | 1 field(s) change");

    // Exactly the changed block, then the finish command; the LUMA-2 got nothing.
    const std::vector<Bytes> writes = WritesTo(0);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_TRUE(BytesEq(writes[0], WriteOf(0, 0x07, luma4File)));
    EXPECT_TRUE(BytesEq(writes[1], FinishOf(0)));
    EXPECT_TRUE(WritesTo(1).empty());
    EXPECT_TRUE(WritesTo(2).empty());
    EXPECT_TRUE(BytesEq(BlockOf(0, kNetwork), luma4File));

    // The backup holds what the device held before the write.
    std::vector<std::filesystem::path> backups;
    for (const auto& e : std::filesystem::directory_iterator(dir / "backups")) {
        if (e.path().extension() == ".json") {
            backups.push_back(e.path());
        }
    }
    ASSERT_EQ(backups.size(), 1u);
    ConfigFile backup;
    std::string error;
    ASSERT_TRUE(LoadConfigFile(backups[0], &backup, &error)) << error;
    EXPECT_TRUE(BytesEq(backup.blocks.at(1), Renamed(luma4File, "moved")));
    const QString text = ResultText();
    EXPECT_TRUE(text.contains("00:1A:2B:3C:4D:01 LUMA-4: written _ARTNETBASICPARAM (0x07)"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("import: 1 device(s): 1 written; backups in ")) << text.toStdString();
}

TEST_F(FleetCommandsTest, ClosingThePreviewWritesNothing) {
    StartRig({DEVTYPE_LUMA_4});
    const std::filesystem::path file = SaveFileOf(0);
    SetBlock(0, kNetwork, Renamed(BlockOf(0, kNetwork), "moved"));
    frame->Fleet()->SetFilesChooser(
        [&](QWidget*) { return QStringList{QString::fromStdString(file.string())}; });
    Operator op;
    op.On("ChangePreview", [](QWidget* dlg) { Click(dlg, "Cancel"); });
    Action("Import")->trigger();
    ASSERT_TRUE(op.AllDone());
    EXPECT_EQ(AllWrites(), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "backups"));
    EXPECT_TRUE(ResultText().contains("import: nothing written (the preview was closed)\n"));
}

TEST_F(FleetCommandsTest, ADeviceChangedAfterThePreviewIsNotWritten) {
    StartRig({DEVTYPE_LUMA_4});
    const std::filesystem::path file = SaveFileOf(0);
    const Bytes original = BlockOf(0, kNetwork);
    SetBlock(0, kNetwork, Renamed(original, "moved"));
    frame->Fleet()->SetFilesChooser(
        [&](QWidget*) { return QStringList{QString::fromStdString(file.string())}; });
    Operator op;
    op.On("ChangePreview", [&](QWidget* dlg) {
        // Someone else renames the device while the operator reads the preview.
        SetBlock(0, kNetwork, Renamed(original, "someone else"));
        Click(dlg, "Write");
    });
    Action("Import")->trigger();
    ASSERT_TRUE(op.AllDone());
    EXPECT_EQ(AllWrites(), 0u);
    EXPECT_TRUE(BytesEq(BlockOf(0, kNetwork), Renamed(original, "someone else")));
    EXPECT_TRUE(ResultText().contains("the device changed since the preview; nothing written"))
        << ResultText().toStdString();
}

TEST_F(FleetCommandsTest, OneFileOntoOneSelectedDeviceClonesItKeepingTheTargetsNameUnlessTicked) {
    StartRig({DEVTYPE_LUMA_4, DEVTYPE_LUMA_4, DEVTYPE_LUMA_8});
    SetBlock(0, kNetwork, Renamed(BlockOf(0, kNetwork), "good one"));
    // The good one's port 1 universe differs from the target's.
    Bytes ports = BlockOf(0, kNodeA);
    ports[_DMXPORTPARAM::kUniverse] = 0x05;
    SetBlock(0, kNodeA, Stamped(ports));
    const std::filesystem::path file = SaveFileOf(0);
    const Bytes targetNetwork = BlockOf(1, kNetwork);
    frame->Fleet()->SetFilesChooser(
        [&](QWidget*) { return QStringList{QString::fromStdString(file.string())}; });
    SelectRows({1});
    QStringList without;
    QStringList with;
    Operator op;
    op.On("ChangePreview", [&](QWidget* dlg) {
        without = PreviewLines(dlg);
        QTest::mouseClick(Child<QCheckBox>(dlg, "WithAddresses"), Qt::LeftButton);
        with = PreviewLines(dlg);
        QTest::mouseClick(Child<QCheckBox>(dlg, "WithAddresses"), Qt::LeftButton);
        Click(dlg, "Write");
    });
    Action("Import")->trigger();
    ASSERT_TRUE(op.AllDone());
    ASSERT_FALSE(without.isEmpty());
    EXPECT_TRUE(without[0].startsWith("[x] 00:1A:2B:3C:4D:02 LUMA-4 from device0.json"))
        << without.join("\n").toStdString();
    EXPECT_FALSE(without.join("\n").contains("deviceName")) << without.join("\n").toStdString();
    EXPECT_TRUE(without.join("\n").contains("ports.0.universe"))
        << without.join("\n").toStdString();
    EXPECT_TRUE(with.join("\n").contains("deviceName: ")) << with.join("\n").toStdString();

    // The target keeps its network block; its port block is the file's, stamped afresh.
    EXPECT_TRUE(BytesEq(BlockOf(1, kNetwork), targetNetwork));
    EXPECT_EQ(BlockOf(1, kNodeA)[_DMXPORTPARAM::kUniverse], 0x05);
    const std::vector<Bytes> writes = WritesTo(1);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_TRUE(BytesEq(writes[0], WriteOf(1, 0x08, BlockOf(0, kNodeA))));
    EXPECT_TRUE(BytesEq(writes[1], FinishOf(1)));
    EXPECT_TRUE(WritesTo(0).empty());
}

TEST_F(FleetCommandsTest, AFileOfAnotherModelCannotBeTicked) {
    StartRig({DEVTYPE_LUMA_4, DEVTYPE_LUMA_8});
    const std::filesystem::path file = SaveFileOf(0);
    frame->Fleet()->SetFilesChooser(
        [&](QWidget*) { return QStringList{QString::fromStdString(file.string())}; });
    // The file's own device is gone from the list; the selected device is another model.
    g_arrConfigParam.RemoveAll();
    g_arrConfigParam.Add(devices[1].record);
    List()->RefreshDeviceList();
    SelectRows({0});
    QStringList shown;
    bool writeOffered = true;
    Operator op;
    op.On("ChangePreview", [&](QWidget* dlg) {
        shown = PreviewLines(dlg);
        writeOffered = Child<QPushButton>(dlg, "Write")->isEnabled();
        Click(dlg, "Cancel");
    });
    Action("Import")->trigger();
    ASSERT_TRUE(op.AllDone());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0],
              "-   device0.json | holds the LUMA-4 00:1A:2B:3C:4D:01, which is not in the device "
              "list, and the selected device is a LUMA-8");
    EXPECT_FALSE(writeOffered);
    EXPECT_EQ(AllWrites(), 0u);
}

TEST_F(FleetCommandsTest, BatchNumberingCountsUpInListOrderAndSkipsOtherModels) {
    StartRig({DEVTYPE_LUMA_4, DEVTYPE_KV70, DEVTYPE_LUMA_4, DEVTYPE_LUMA_4});
    std::vector<Bytes> before;
    for (std::size_t d = 0; d < 4; ++d) {
        before.push_back(d == 1 ? Bytes() : BlockOf(d, kNodeA));
    }
    SelectRows({0, 1, 2, 3});
    QStringList shown;
    QString about;
    Operator op;
    op.On("BatchChange", [&](QWidget* dlg) {
        QComboBox* field = Child<QComboBox>(dlg, "BatchField");
        field->setCurrentIndex(field->findText("ports.0.universe"));
        about = Child<QLabel>(dlg, "BatchFieldAbout")->text();
        QTest::mouseClick(Child<QRadioButton>(dlg, "NumberFrom"), Qt::LeftButton);
        QTest::keyClicks(Child<QLineEdit>(dlg, "BatchValue"), "100");
        Click(dlg, "Preview");
    });
    op.On("ChangePreview", [&](QWidget* dlg) {
        shown = PreviewLines(dlg);
        Click(dlg, "Write");
    });
    // The rows' context menu holds the command as the Configuration menu does.
    ASSERT_TRUE(List()->actions().contains(Action("BatchChange")));
    Action("BatchChange")->trigger();
    ASSERT_TRUE(op.AllDone());
    EXPECT_TRUE(about.contains("3 of the 4 selected device(s) have it")) << about.toStdString();
    ASSERT_GE(shown.size(), 4) << shown.join("\n").toStdString();
    EXPECT_TRUE(
        shown.contains("-   00:1A:2B:3C:4D:02 KV-70 | skipped: a KV-70 has no field "
                       "ports.0.universe"))
        << shown.join("\n").toStdString();
    const std::size_t luma[3] = {0, 2, 3};
    for (int k = 0; k < 3; ++k) {
        const std::size_t d = luma[k];
        const Bytes after = BlockOf(d, kNodeA);
        EXPECT_EQ(after[_DMXPORTPARAM::kUniverse], 100 + k) << "device " << d;
        EXPECT_EQ(after, Stamped(after)) << "the checksum is stamped";
        const std::vector<Bytes> writes = WritesTo(d);
        ASSERT_EQ(writes.size(), 2u) << "device " << d;
        EXPECT_TRUE(BytesEq(writes[0], WriteOf(d, 0x08, after)));
        EXPECT_TRUE(BytesEq(writes[1], FinishOf(d)));
    }
    EXPECT_TRUE(WritesTo(1).empty());
    EXPECT_TRUE(ResultText().contains("batch change: 3 device(s): 3 written; backups in "))
        << ResultText().toStdString();
}

TEST_F(FleetCommandsTest, CancelLetsStartedDevicesFinishAndStartsNoOther) {
    StartRig({DEVTYPE_LUMA_4, DEVTYPE_LUMA_4, DEVTYPE_LUMA_4, DEVTYPE_LUMA_4, DEVTYPE_LUMA_4});
    std::vector<Bytes> before;
    for (std::size_t d = 0; d < devices.size(); ++d) {
        before.push_back(BlockOf(d, kNodeA));
        sim::SimFaults slow;
        slow.delayMs = 20;
        simulator->SetFaults(d, slow);
    }
    SelectRows({0, 1, 2, 3, 4});
    QTimer cancelWhenOneIsDone;
    Operator op;
    op.On("BatchChange", [&](QWidget* dlg) {
        QComboBox* field = Child<QComboBox>(dlg, "BatchField");
        field->setCurrentIndex(field->findText("ports.0.universe"));
        QTest::keyClicks(Child<QLineEdit>(dlg, "BatchValue"), "9");
        Click(dlg, "Preview");
    });
    op.On("ChangePreview", [&](QWidget* dlg) {
        simulator->ClearLog();
        Click(dlg, "Write");
    });
    op.On("FleetProgress", [&](QWidget* dlg) {
        QObject::connect(&cancelWhenOneIsDone, &QTimer::timeout, dlg, [dlg] {
            auto* bar = dlg->findChild<QProgressBar*>(QStringLiteral("ProgressBar"));
            auto* cancel = dlg->findChild<QPushButton*>(QStringLiteral("Cancel"));
            if (bar->value() >= 1 && cancel->isEnabled()) {
                QTest::mouseClick(cancel, Qt::LeftButton);
            }
        });
        cancelWhenOneIsDone.start(1);
    });
    Action("BatchChange")->trigger();
    ASSERT_TRUE(op.AllDone());
    cancelWhenOneIsDone.stop();

    // Every device is either untouched or whole: its block and the finish command.
    int written = 0;
    int untouched = 0;
    const QString text = ResultText();
    for (std::size_t d = 0; d < devices.size(); ++d) {
        const std::vector<Bytes> writes = WritesTo(d);
        const QString mac = QString::fromStdString(FormatMacColon(devices[d].record.byMac()));
        if (writes.empty()) {
            ++untouched;
            EXPECT_TRUE(BytesEq(BlockOf(d, kNodeA), before[d]));
            EXPECT_TRUE(text.contains(mac + " LUMA-4: not started (cancelled); nothing written\n"))
                << text.toStdString();
        } else {
            ++written;
            ASSERT_EQ(writes.size(), 2u) << "device " << d;
            EXPECT_TRUE(BytesEq(writes[1], FinishOf(d)));
            EXPECT_EQ(BlockOf(d, kNodeA)[_DMXPORTPARAM::kUniverse], 9);
            EXPECT_TRUE(text.contains(mac + " LUMA-4: written")) << text.toStdString();
        }
    }
    EXPECT_GE(written, 1);
    EXPECT_GE(untouched, 1);
    EXPECT_TRUE(
        text.contains(QStringLiteral("batch change: 5 device(s): %1 not started, %2 written")
                          .arg(untouched)
                          .arg(written)))
        << text.toStdString();
}

}  // namespace
}  // namespace varlo::ui
