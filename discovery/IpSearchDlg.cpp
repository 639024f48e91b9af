#include "discovery/IpSearchDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include "discovery/DeviceRowText.h"
#include "transport/TransportSettings.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {

namespace {
const QString kRangesKey = QStringLiteral("Search/IpRanges");
}

QStringList CIpSearchDlg::RememberedRanges() {
    return QSettings().value(kRangesKey).toStringList();
}

CIpSearchDlg::CIpSearchDlg(QWidget* parent) : CSocketDlg(parent) {
    setWindowTitle(QStringLiteral("IP Search"));
    setObjectName(QStringLiteral("IpSearch"));

    m_cbRange = new QComboBox(this);
    m_cbRange->setObjectName(QStringLiteral("Range"));
    m_cbRange->setEditable(true);
    m_cbRange->setInsertPolicy(QComboBox::NoInsert);
    m_cbRange->addItems(RememberedRanges());
    m_cbRange->setMinimumContentsLength(28);
    m_cbRange->lineEdit()->setPlaceholderText(QStringLiteral("192.168.1.10-192.168.1.200"));
    m_btnSearch = new QPushButton(QStringLiteral("Search"), this);
    m_btnSearch->setObjectName(QStringLiteral("Search"));
    m_btnSearch->setDefault(true);
    m_btnStop = new QPushButton(QStringLiteral("Close"), this);
    m_btnStop->setObjectName(QStringLiteral("Stop"));
    connect(m_btnSearch, &QPushButton::clicked, this, &CIpSearchDlg::OnSearch);
    connect(m_btnStop, &QPushButton::clicked, this, &CIpSearchDlg::OnStopOrClose);

    auto* hint = new QLabel(QStringLiteral("An address, a range (192.168.1.10-192.168.1.200) or a "
                                           "network (10.0.0.0/24), at most 65,536 addresses."),
                            this);
    hint->setWordWrap(true);
    m_ctlProgress = new QProgressBar(this);
    m_ctlProgress->setObjectName(QStringLiteral("Progress"));
    m_ctlProgress->setTextVisible(false);
    m_ctlProgress->setRange(0, 1);
    m_ctlProgress->setValue(0);
    m_stStatus = new QLabel(this);
    m_stStatus->setObjectName(QStringLiteral("Status"));
    m_lstResult = new CReportListCtrl(this);
    m_lstResult->setObjectName(QStringLiteral("Result"));
    m_lstResult->SetColumns(
        {{QStringLiteral("No."), 50},
         {QStringLiteral("Device Type"), 100, QStringLiteral("LUMA-AIR-MODULE")},
         {QStringLiteral("Mac"), 120, QStringLiteral("00:00:00:00:00:00")},
         {QStringLiteral("IP Address"), 100, QStringLiteral("255.255.255.255")}});

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Addresses:"), this));
    top->addWidget(m_cbRange, 1);
    top->addWidget(m_btnSearch);
    top->addWidget(m_btnStop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(hint);
    layout->addWidget(m_ctlProgress);
    layout->addWidget(m_stStatus);
    layout->addWidget(m_lstResult, 1);
    resize(std::max(520, m_lstResult->ColumnsWidth() + 40), 340);

    m_pump.setTimerType(Qt::PreciseTimer);
    m_pump.setInterval(kPumpMs);
    connect(&m_pump, &QTimer::timeout, this, &CIpSearchDlg::OnPump);
}

bool CIpSearchDlg::OnSearch() {
    if (Running()) {
        return false;
    }
    const QString text = m_cbRange->currentText().trimmed();
    std::string error;
    const std::optional<IpRange> range = ParseIpRange(text.toStdString(), &error);
    if (!range) {
        m_stStatus->setText(QStringLiteral("Not searched: %1.").arg(QString::fromStdString(error)));
        return false;
    }
    Remember(text);
    m_firstRecord = g_arrConfigParam.GetSize();
    m_lstResult->DeleteAllRows();
    if (!m_session.Open(*range)) {
        m_stStatus->setText(QStringLiteral("Can not create Search Socket!"));
        return false;
    }
    WatchSocket(m_session.Socket());
    m_ctlProgress->setRange(0, static_cast<int>(range->count));
    m_ctlProgress->setValue(0);
    m_btnSearch->setEnabled(false);
    m_cbRange->setEnabled(false);
    m_btnStop->setText(QStringLiteral("Stop"));
    m_pump.start();
    OnPump();
    return true;
}

void CIpSearchDlg::OnPump() {
    if (!m_session.Pump(Transport().clock->Now())) {
        Finish();
        return;
    }
    ShowProgress();
}

void CIpSearchDlg::ShowProgress() {
    m_ctlProgress->setValue(static_cast<int>(m_session.Sent()));
    m_stStatus->setText(QStringLiteral("Asked %1 of %2 address(es); %3 device(s) found")
                            .arg(m_session.Sent())
                            .arg(m_session.Total())
                            .arg(m_session.Found()));
}

void CIpSearchDlg::OnSocketReceive(const CMySchSocket&, int nErrorCode) {
    if (nErrorCode != 0) {
        return;
    }
    m_session.ReadWaiting(512);
    AddNewRows();
}

void CIpSearchDlg::AddNewRows() {
    // The devices found join the device list after those already there, and are numbered as
    // they will be shown there.
    const std::size_t end = g_arrConfigParam.GetSize();
    for (std::size_t r = m_firstRecord + static_cast<std::size_t>(m_lstResult->RowCount()); r < end;
         ++r) {
        m_lstResult->AppendRow(DeviceRowText(static_cast<int>(r), g_arrConfigParam[r]));
    }
}

void CIpSearchDlg::Finish() {
    m_pump.stop();
    StopWatching();
    m_session.ReadWaiting(100000);
    AddNewRows();
    m_session.Close();
    ShowProgress();
    m_btnSearch->setEnabled(true);
    m_cbRange->setEnabled(true);
    m_btnStop->setText(QStringLiteral("Close"));
}

void CIpSearchDlg::OnStopOrClose() {
    if (Running()) {
        m_session.Stop();
        Finish();
        return;
    }
    reject();
}

void CIpSearchDlg::Remember(const QString& range) {
    QStringList ranges = RememberedRanges();
    ranges.removeAll(range);
    ranges.prepend(range);
    while (ranges.size() > kRememberedRanges) {
        ranges.removeLast();
    }
    QSettings().setValue(kRangesKey, ranges);
    m_cbRange->clear();
    m_cbRange->addItems(ranges);
    m_cbRange->setCurrentIndex(0);
}

void CIpSearchDlg::done(int result) {
    if (Running()) {
        m_session.Stop();
        Finish();
    }
    CSocketDlg::done(result);
}

}  // namespace varlo::ui
