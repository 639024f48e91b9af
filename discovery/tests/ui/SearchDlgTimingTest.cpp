// The search dialog on the wall clock: its Qt timers run in real time, so these checks carry
// the timing label. The countdown takes its five seconds, and a large rig answering at once is
// listed whole within them.
#include <gtest/gtest.h>

#include <set>

#include "discovery/DeviceRowText.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "discovery/tests/ui/SearchDlgFixture.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {
namespace {

TEST_F(SearchDlgTest, TheCountdownTakesFiveSeconds) {
    Start(Rig({DEVTYPE_KV70}));
    CSearchDlg dlg;
    EXPECT_EQ(Run(dlg, [] {}), QDialog::Rejected);
    EXPECT_GE(elapsed.elapsed(), 5000);
    EXPECT_LT(elapsed.elapsed(), 6500);
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

}  // namespace
}  // namespace varlo::ui
