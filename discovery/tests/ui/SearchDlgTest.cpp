// The search dialog against the simulator on loopback, driven as an operator would. What it
// takes on the wall clock is checked apart, in SearchDlgTimingTest.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "discovery/SearchDlg.h"
#include "discovery/tests/ui/SearchDlgFixture.h"
#include "widgets/ReportListCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {
namespace {

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
        EXPECT_EQ(g_arrConfigParam.GetSize(), 2u) << name;
        // Closed before the second request, a second later.
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
