#pragma once
// The "Search" dialog: empties the device table, broadcasts five search requests one second
// apart, lists every accepted reply as it arrives and closes itself about five seconds after
// it opened. "Stop", Escape, Enter and the close box end it early; the table keeps what was
// accepted so far. Replies are read as soon as they are waiting and listed in batches.
#include <QTimer>

#include "discovery/SearchSession.h"
#include "discovery/SocketDlg.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace varlo::ui {

class CReportListCtrl;

class CSearchDlg : public CSocketDlg {
    Q_OBJECT
public:
    static constexpr int SEARCH_TIMER_ID = 100;
    // Thousands of devices may answer within a second: rows are added this often, in one
    // batch, rather than one relayout and repaint of the list per reply.
    static constexpr int kRowBatchMs = 75;
    // The most datagrams one read notification takes; more waiting make it fire again at once,
    // after the timers and the operator's input had their turn.
    static constexpr std::size_t kMaxReadsPerNotification = 512;

    explicit CSearchDlg(QWidget* parent = nullptr);

    // Runs the dialog modally, starting the search first.
    int exec() override;
    // Counter at 5, empty list and table, the socket on the search port, the first tick in
    // 100 ms. A socket that cannot be created is reported and the countdown runs all the same.
    void OnInitDialog();

    int SecondsLeft() const { return m_session.SecondsLeft(); }
    // The search run, for the diagnosis of one that found nothing.
    const SearchSession& Session() const { return m_session; }
    CReportListCtrl* ResultList() const { return m_lstResult; }

protected:
    void OnSocketReceive(const CMySchSocket& socket, int nErrorCode) override;
    void done(int result) override;

private:
    void OnTimer();
    void ReadReplies();
    // Lists the records accepted since the last batch, in table order.
    void AddPendingRows();

    SearchSession m_session;
    QTimer m_searchTimer;
    QTimer m_rowTimer;
    QLabel* m_stCount = nullptr;
    QProgressBar* m_ctlProgress = nullptr;
    CReportListCtrl* m_lstResult = nullptr;
    QPushButton* m_btnStop = nullptr;
};

}  // namespace varlo::ui
