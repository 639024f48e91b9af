#include "discovery/SearchDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include "discovery/DeviceRowText.h"
#include "widgets/ReportListCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {

CSearchDlg::CSearchDlg(QWidget* parent) : CSocketDlg(parent) {
    setWindowTitle(QStringLiteral("Search"));
    setObjectName(QStringLiteral("Search"));

    auto* title = new QLabel(QStringLiteral("Searching for devices"), this);
    m_btnStop = new QPushButton(QStringLiteral("Stop"), this);
    m_btnStop->setObjectName(QStringLiteral("Stop"));
    m_btnStop->setDefault(true);
    connect(m_btnStop, &QPushButton::clicked, this, &QDialog::reject);

    m_ctlProgress = new QProgressBar(this);
    m_ctlProgress->setObjectName(QStringLiteral("Progress"));
    m_ctlProgress->setTextVisible(false);
    m_ctlProgress->setRange(0, SearchSession::kSearchSeconds);
    m_ctlProgress->setValue(0);

    m_stCount = new QLabel(QString::number(SearchSession::kSearchSeconds), this);
    m_stCount->setObjectName(QStringLiteral("Count"));
    m_stCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_stCount->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00")));

    m_lstResult = new CReportListCtrl(this);
    m_lstResult->setObjectName(QStringLiteral("Result"));

    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch();
    top->addWidget(m_btnStop);
    auto* counter = new QHBoxLayout;
    counter->addStretch();
    counter->addWidget(m_stCount);
    counter->addWidget(new QLabel(QStringLiteral("second"), this));
    counter->addWidget(new QLabel(QStringLiteral("left"), this));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_ctlProgress);
    layout->addLayout(counter);
    layout->addWidget(m_lstResult, 1);
    resize(420, 300);

    m_searchTimer.setObjectName(QStringLiteral("SearchTimer"));
    // A coarse timer may fire up to 5 % early; the requests go out a full second apart.
    m_searchTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_searchTimer, &QTimer::timeout, this, &CSearchDlg::OnTimer);
    m_rowTimer.setObjectName(QStringLiteral("RowTimer"));
    m_rowTimer.setSingleShot(true);
    m_rowTimer.setInterval(kRowBatchMs);
    connect(&m_rowTimer, &QTimer::timeout, this, &CSearchDlg::AddPendingRows);
}

int CSearchDlg::exec() {
    OnInitDialog();
    return CSocketDlg::exec();
}

void CSearchDlg::OnInitDialog() {
    m_ctlProgress->setRange(0, SearchSession::kSearchSeconds);
    m_ctlProgress->setValue(0);
    m_lstResult->DeleteAllRows();
    m_lstResult->SetColumns(
        {{QStringLiteral("No."), 50},
         {QStringLiteral("Device Type"), 100, QStringLiteral("LUMA-AIR-MODULE")},
         {QStringLiteral("Mac"), 120, QStringLiteral("00:00:00:00:00:00")},
         {QStringLiteral("IP Address"), 100, QStringLiteral("255.255.255.255")}});
    // Wide enough for every column whole, without a horizontal scroll bar.
    const QMargins margins = layout()->contentsMargins();
    const int chrome = margins.left() + margins.right() + 2 * m_lstResult->frameWidth() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    resize(std::max(width(), m_lstResult->ColumnsWidth() + chrome), height());
    // Opening the session empties the device table before the socket exists.
    if (m_session.Open()) {
        WatchSocket(m_session.Socket());
    } else {
        VarloMessageBox(this, QStringLiteral("Can not create Search Socket!"));
    }
    m_stCount->setText(QString::number(m_session.SecondsLeft()));
    m_btnStop->setFocus();
    m_searchTimer.start(SearchSession::kFirstTickMs);
}

void CSearchDlg::OnTimer() {
    // Replies already waiting go into the table first: the request then lists their devices,
    // which would otherwise answer it again; after the last request they are the late replies,
    // still accepted.
    ReadReplies();
    if (!m_session.Tick()) {
        m_searchTimer.stop();
        close();  // ends the dialog as "Stop" does
        return;
    }
    m_ctlProgress->setValue(m_ctlProgress->value() + 1);
    m_stCount->setText(QString::number(m_session.SecondsLeft()));
    m_searchTimer.start(SearchSession::kTickMs);
}

void CSearchDlg::OnSocketReceive(const CMySchSocket&, int nErrorCode) {
    if (nErrorCode != 0) {
        return;
    }
    ReadReplies();
}

void CSearchDlg::ReadReplies() {
    // Every datagram waiting, not one per notification: a reply left unread while thousands
    // arrive is dropped by the kernel once the receive buffer is full, and its device, not
    // listed in the next request, answers again.
    m_session.ReadWaiting(kMaxReadsPerNotification);
    if (static_cast<std::size_t>(m_lstResult->RowCount()) < m_session.Table().GetSize() &&
        !m_rowTimer.isActive()) {
        m_rowTimer.start();
    }
}

void CSearchDlg::AddPendingRows() {
    // Row r shows record r: rows are only ever appended while the dialog is open.
    const CConfigParamArray& table = m_session.Table();
    const int first = m_lstResult->RowCount();
    const int end = static_cast<int>(table.GetSize());
    if (first >= end) {
        return;
    }
    QList<QTreeWidgetItem*> items;
    items.reserve(end - first);
    for (int r = first; r < end; ++r) {
        items.append(new QTreeWidgetItem(DeviceRowText(r, table[static_cast<std::size_t>(r)])));
    }
    m_lstResult->addTopLevelItems(items);
}

void CSearchDlg::done(int result) {
    m_searchTimer.stop();
    m_rowTimer.stop();
    StopWatching();
    AddPendingRows();
    m_session.Close();
    CSocketDlg::done(result);
}

}  // namespace varlo::ui
