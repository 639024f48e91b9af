// The search dialog against the simulator on loopback, driven as an operator would.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <set>

#include "discovery/DeviceRowText.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "discovery/SearchDlg.h"
#include "testsupport/WireTest.h"
#include "widgets/ReportListCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {
namespace {

sim::Rig Rig(std::initializer_list<uint32_t> types) {
    sim::Rig rig;
    uint8_t n = 1;
    for (const uint32_t type : types) {
        rig.devices.push_back(sim::MakeSimDevice(type, {0, 0x1A, 0x2B, 0, 0, n}, {192, 168, 1, n}));
        ++n;
    }
    return rig;
}

class SearchDlgTest : public testing::SimulatorTest {
protected:
    void Start(sim::Rig rig) {
        sim::SimOptions options;
        options.searchDelayMinMs = options.searchDelayMaxMs = 10;  // replies in rig order
        StartSimulator(std::move(rig), 10, options);
    }
    void TearDown() override {
        SetMessageBoxHandler({});
        SimulatorTest::TearDown();
    }
    // Runs the dialog modally; poll is called every 10 ms while it is open.
    int Run(CSearchDlg& dlg, const std::function<void()>& poll) {
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, poll);
        sampler.start(10);
        elapsed.start();
        return dlg.exec();
    }
    static QString Counter(const CSearchDlg& dlg) {
        return dlg.findChild<QLabel*>(QStringLiteral("Count"))->text();
    }
    static int Progress(const CSearchDlg& dlg) {
        return dlg.findChild<QProgressBar*>(QStringLiteral("Progress"))->value();
    }
    QElapsedTimer elapsed;
};

TEST_F(SearchDlgTest, CountsDownListsRepliesAndClosesItself) {
    Start(Rig({DEVTYPE_KV70, 0x12345678, DEVTYPE_LUMA_1}));
    g_arrConfigParam.Add(_CONFIGPARAM());  // a previous search's record goes at once
    CSearchDlg dlg;
    QStringList steps;  // "counter/progress" every time either changes
    const int result = Run(dlg, [&] {
        const QString step = Counter(dlg) + "/" + QString::number(Progress(dlg));
        if (steps.isEmpty() || steps.last() != step) {
            steps << step;
        }
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_GE(elapsed.elapsed(), 5000);
    EXPECT_LT(elapsed.elapsed(), 6500);
    EXPECT_EQ(steps, QStringList({"5/0", "4/1", "3/2", "2/3", "1/4", "0/5"}));
    EXPECT_EQ(simulator->LogSize(), 5u);

    CReportListCtrl* list = dlg.ResultList();
    ASSERT_EQ(list->columnCount(), 4);
    const QStringList headings = {"No.", "Device Type", "Mac", "IP Address"};
    const int widths[] = {50, 100, 120, 100};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list->headerItem()->text(c), headings[c]);
        EXPECT_GE(list->header()->sectionSize(c), widths[c]);
    }
    ASSERT_EQ(list->RowCount(), 3);
    const QStringList rows[] = {{"0", "KV-70", "00:1A:2B:00:00:01", "192.168.1.1"},
                                {"1", "", "00:1A:2B:00:00:02", "192.168.1.2"},
                                {"2", "LUMA-1", "00:1A:2B:00:00:03", "192.168.1.3"}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(list->CellText(r, c), rows[r][c]) << r << "," << c;
            EXPECT_LT(list->fontMetrics().horizontalAdvance(rows[r][c]),
                      list->header()->sectionSize(c))
                << "cut off: " << rows[r][c].toStdString();
        }
    }
    EXPECT_LE(list->ColumnsWidth(), list->viewport()->width()) << "no column hidden";
    // The unknown type is kept like any other; row r is record r.
    ASSERT_EQ(g_arrConfigParam.GetSize(), 3u);
    EXPECT_EQ(g_arrConfigParam[1].dwType(), 0x12345678u);
    EXPECT_EQ(g_arrConfigParam[2].dwType(), static_cast<uint32_t>(DEVTYPE_LUMA_1));
}

// Two thousand devices answer within 200 ms of each request: far more than one reply read per
// notification, with a relayout and repaint per row, keeps up with.
TEST_F(SearchDlgTest, LargeRigIsListedWholeOnceAndInBatches) {
    const sim::Rig rig = sim::GeneratedRig(2000, 7);
    sim::SimOptions options;
    options.searchDelayMinMs = 0;
    options.searchDelayMaxMs = 200;
    StartSimulator(rig, 10, options);

    CSearchDlg dlg;
    int batches = 0;
    QObject::connect(dlg.ResultList()->model(), &QAbstractItemModel::rowsInserted,
                     [&batches] { ++batches; });
    QStringList steps;
    int rowsAtSecondRequest = -1;
    Run(dlg, [&] {
        const QString step = Counter(dlg) + "/" + QString::number(Progress(dlg));
        if (steps.isEmpty() || steps.last() != step) {
            steps << step;
        }
        if (rowsAtSecondRequest < 0 && Counter(dlg) == "3") {
            rowsAtSecondRequest = dlg.ResultList()->RowCount();
        }
    });
    EXPECT_EQ(steps, QStringList({"5/0", "4/1", "3/2", "2/3", "1/4", "0/5"}));
    EXPECT_LT(elapsed.elapsed(), 6500);

    // Every device exactly once: all were read before the second request, which listed them.
    std::set<DeviceIdentity> found;
    std::size_t repeats = 0;
    for (std::size_t i = 0; i < g_arrConfigParam.GetSize(); ++i) {
        repeats += found.insert(g_arrConfigParam[i].Identity()).second ? 0 : 1;
    }
    EXPECT_EQ(repeats, 0u);
    std::set<DeviceIdentity> expected;
    for (const sim::SimDevice& d : rig.devices) {
        expected.insert(d.Identity());
    }
    EXPECT_EQ(g_arrConfigParam.GetSize(), rig.devices.size());
    EXPECT_TRUE(found == expected) << found.size() << " distinct devices found";

    CReportListCtrl* list = dlg.ResultList();
    ASSERT_EQ(list->RowCount(), static_cast<int>(g_arrConfigParam.GetSize()));
    for (int r = 0; r < list->RowCount(); ++r) {
        const QStringList cells = DeviceRowText(r, g_arrConfigParam[static_cast<std::size_t>(r)]);
        for (int c = 0; c < 4; ++c) {
            ASSERT_EQ(list->CellText(r, c), cells[c]) << r << "," << c;
        }
    }
    EXPECT_EQ(rowsAtSecondRequest, 2000) << "rows are listed while the search runs";
    EXPECT_GT(batches, 1);
    EXPECT_LT(batches, 100) << "rows are added in batches, not one by one";
}

// Each way of ending the search early, taken once two devices have answered.
TEST_F(SearchDlgTest, StopEscapeEnterAndCloseEndItWithTheRecordsSoFar) {
    Start(Rig({DEVTYPE_LUMA_2, DEVTYPE_LUMA_4}));
    const std::vector<std::pair<const char*, std::function<void(CSearchDlg&)>>> ways = {
        {"Stop",
         [](CSearchDlg& d) {
             QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Stop")), Qt::LeftButton);
         }},
        {"Escape", [](CSearchDlg& d) { QTest::keyClick(d.ResultList(), Qt::Key_Escape); }},
        {"Enter", [](CSearchDlg& d) { QTest::keyClick(d.ResultList(), Qt::Key_Return); }},
        {"close box", [](CSearchDlg& d) { d.close(); }},
    };
    for (const auto& [name, end] : ways) {
        simulator->ClearLog();
        CSearchDlg dlg;
        bool ended = false;
        Run(dlg, [&] {
            if (!ended && dlg.ResultList()->RowCount() == 2) {
                ended = true;
                end(dlg);
            }
        });
        EXPECT_TRUE(ended) << name;
        EXPECT_LT(elapsed.elapsed(), 1000) << name;
        EXPECT_EQ(g_arrConfigParam.GetSize(), 2u) << name;
        EXPECT_EQ(simulator->LogSize(), 1u) << name << ": one request before the end";
    }
}

TEST_F(SearchDlgTest, PortTakenIsReportedAndTheCountdownRunsEmpty) {
    Start(Rig({DEVTYPE_LUMA_8}));
    CMySchSocket holder;
    ASSERT_TRUE(holder.Create(0));
    Transport().searchLocalPort = holder.LocalPort();
    QStringList messages;
    SetMessageBoxHandler([&](const QString& text) { messages << text; });
    g_arrConfigParam.Add(_CONFIGPARAM());

    CSearchDlg dlg;
    bool stopped = false;
    Run(dlg, [&] {
        if (!stopped && Counter(dlg) == "3") {
            stopped = true;
            dlg.reject();
        }
    });
    EXPECT_EQ(messages, QStringList({"Can not create Search Socket!"}));
    EXPECT_TRUE(stopped) << "the counter still went down";
    EXPECT_EQ(Progress(dlg), 2);
    EXPECT_EQ(dlg.ResultList()->RowCount(), 0);
    EXPECT_EQ(g_arrConfigParam.GetSize(), 0u);
    EXPECT_EQ(simulator->LogSize(), 0u);
}

}  // namespace
}  // namespace varlo::ui
