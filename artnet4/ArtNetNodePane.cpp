#include "artnet4/ArtNetNodePane.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

#include "artnet4/ArtNetNodeDlg.h"
#include "artnet4/NodePorts.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {

using namespace varlo::artnet4;

namespace {
QString Text(const std::string& s) {
    return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

CArtNetNodePane::CArtNetNodePane(QWidget* parent)
    : QWidget(parent), m_poller(std::make_unique<ArtNetPoller>()) {
    setObjectName(QStringLiteral("ArtNetNodePane"));
    auto* title =
        new QLabel(QStringLiteral("Art-Net 4 nodes of every maker (UDP port 6454)"), this);
    m_list = new CReportListCtrl(this);
    m_list->setObjectName(QStringLiteral("ArtNetNodeList"));
    QList<CReportListCtrl::Column> columns = {
        {QStringLiteral("Short Name"), 110, QStringLiteral("LUMA-EX-4D06")},
        {QStringLiteral("Long Name"), 150},
        {QStringLiteral("IP Address"), 100, QStringLiteral("192.168.100.100")},
        {QStringLiteral("Bind"), 40},
        {QStringLiteral("MAC"), 120, QStringLiteral("00:1A:2B:3C:4D:00")},
        {QStringLiteral("Firmware"), 60},
    };
    for (int k = 1; k <= 4; ++k) {
        columns.append(
            {QStringLiteral("Port %1").arg(k), 150, QStringLiteral("out 0:15:15 (255) DMX, HTP")});
    }
    columns.append({QStringLiteral("Node Report"), 260});
    columns.append({QStringLiteral("Age"), 50});
    m_list->SetColumns(columns);
    m_list->installEventFilter(this);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { ConfigSelectedNode(); });

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("ArtNetStatus"));
    m_config = new QPushButton(QStringLiteral("&Config..."), this);
    m_config->setObjectName(QStringLiteral("ArtNetConfig"));
    auto* refresh = new QPushButton(QStringLiteral("&Refresh"), this);
    refresh->setObjectName(QStringLiteral("ArtNetRefresh"));
    connect(m_config, &QPushButton::clicked, this, &CArtNetNodePane::ConfigSelectedNode);
    connect(refresh, &QPushButton::clicked, this, &CArtNetNodePane::RequestPoll);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_config->setEnabled(m_list->SelectedRow() >= 0); });
    m_config->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(refresh);
    buttons->addWidget(m_config);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(title);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    m_pollTimer = new QTimer(this);
    m_pollTimer->setObjectName(QStringLiteral("ArtNetPollTimer"));
    m_pollTimer->setInterval(kPollIntervalMs);
    connect(m_pollTimer, &QTimer::timeout, this, &CArtNetNodePane::RequestPoll);
    m_ageTimer = new QTimer(this);
    m_ageTimer->setInterval(1000);
    connect(m_ageTimer, &QTimer::timeout, this, &CArtNetNodePane::UpdateAges);
    m_deferred = new QTimer(this);
    m_deferred->setObjectName(QStringLiteral("ArtNetDeferredPoll"));
    m_deferred->setSingleShot(true);
    connect(m_deferred, &QTimer::timeout, this, &CArtNetNodePane::SendPoll);
    UpdateStatus();
}

CArtNetNodePane::~CArtNetNodePane() = default;

bool CArtNetNodePane::EnsureOpen() {
    if (m_poller->IsOpen()) {
        return true;
    }
    if (!m_poller->Open()) {
        m_status->setText(QStringLiteral("Can not create the Art-Net socket"));
        return false;
    }
    m_notifier =
        new QSocketNotifier(static_cast<qintptr>(m_poller->Socket()), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CArtNetNodePane::OnReadable);
    return true;
}

void CArtNetNodePane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    RequestPoll();
    m_pollTimer->start();
    m_ageTimer->start();
}

void CArtNetNodePane::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden, the list polls nobody.
    m_pollTimer->stop();
    m_ageTimer->stop();
    m_deferred->stop();
}

void CArtNetNodePane::RequestPoll() {
    if (m_sinceLastPoll.isValid() && m_sinceLastPoll.elapsed() < kMinPollGapMs) {
        if (!m_deferred->isActive()) {
            m_deferred->start(static_cast<int>(kMinPollGapMs - m_sinceLastPoll.elapsed()));
        }
        return;
    }
    SendPoll();
}

void CArtNetNodePane::SendPoll() {
    if (!EnsureOpen()) {
        return;
    }
    const std::size_t before = m_poller->Nodes().Size();
    m_pollFailed = !m_poller->SendPoll();
    m_sinceLastPoll.start();
    ++m_pollsSent;
    if (m_poller->Nodes().Size() != before) {
        RebuildRows();
    }
    UpdateStatus();
}

void CArtNetNodePane::OnReadable() {
    const std::size_t rowsBefore = static_cast<std::size_t>(m_list->RowCount());
    const std::vector<std::size_t> changed = m_poller->OnReadable();
    if (m_poller->Nodes().Size() < rowsBefore) {
        RebuildRows();
    }
    const auto& nodes = m_poller->Nodes().Nodes();
    for (const std::size_t index : changed) {
        UpdateRow(index);
    }
    UpdateStatus();
    for (const std::size_t index : changed) {
        emit nodeUpdated(nodes[index].Ip(), nodes[index].BindIndex());
    }
}

void CArtNetNodePane::UpdateRow(std::size_t index) {
    const ArtNetNode& node = m_poller->Nodes().Nodes()[index];
    const ArtPollReply& r = node.reply;
    QStringList texts = {Text(r.ShortName()),    Text(r.LongName()),
                         Text(IpText(r.Ip())),   QString::number(r.BindIndex()),
                         Text(MacText(r.Mac())), Text(FirmwareText(r.Firmware()))};
    const std::vector<NodePort> ports = PortsOf(r);
    for (std::size_t k = 0; k < 4; ++k) {
        texts.append(k < ports.size() ? Text(ports[k].Text()) : QString());
    }
    texts.append(Text(r.NodeReport()));
    texts.append(QStringLiteral("0 s"));
    const int row = static_cast<int>(index);
    while (m_list->RowCount() < row) {
        m_list->AppendRow(QStringList());
    }
    if (m_list->RowCount() == row) {
        m_list->AppendRow(texts);
        return;
    }
    // Only the cells that changed: a thousand nodes answer every poll, most of them the same.
    for (int c = 0; c < texts.size(); ++c) {
        if (m_list->CellText(row, c) != texts[c]) {
            m_list->SetCellText(row, c, texts[c]);
        }
    }
}

void CArtNetNodePane::RebuildRows() {
    const int selected = m_list->SelectedRow();
    m_list->DeleteAllRows();
    for (std::size_t i = 0; i < m_poller->Nodes().Size(); ++i) {
        UpdateRow(i);
    }
    UpdateAges();
    if (selected >= 0 && selected < m_list->RowCount()) {
        m_list->SelectRow(selected);
    }
}

void CArtNetNodePane::UpdateAges() {
    const auto now = m_poller->Clock().Now();
    const auto& nodes = m_poller->Nodes().Nodes();
    for (std::size_t i = 0; i < nodes.size() && static_cast<int>(i) < m_list->RowCount(); ++i) {
        const auto age = std::chrono::duration_cast<std::chrono::seconds>(now - nodes[i].lastReply);
        const QString text = QStringLiteral("%1 s").arg(static_cast<long long>(age.count()));
        if (m_list->CellText(static_cast<int>(i), ColAge) != text) {
            m_list->SetCellText(static_cast<int>(i), ColAge, text);
        }
    }
}

void CArtNetNodePane::UpdateStatus() {
    QString text = QStringLiteral("%1 node(s)").arg(m_poller->Nodes().Size());
    if (m_poller->Counters().malformed > 0) {
        text += QStringLiteral(", %1 malformed datagram(s) dropped")
                    .arg(static_cast<qulonglong>(m_poller->Counters().malformed));
    }
    if (m_pollFailed) {
        // Typically the limited broadcast on a machine without a default route.
        text += QStringLiteral("; the poll could not be sent");
    }
    if (m_poller->SharedPortTaken()) {
        text += QStringLiteral(
            "; port 6454 is taken by another program, broadcast replies are "
            "not heard");
    }
    m_status->setText(text);
}

void CArtNetNodePane::ConfigSelectedNode() {
    const int row = m_list->SelectedRow();
    const auto& nodes = m_poller->Nodes().Nodes();
    if (row < 0 || static_cast<std::size_t>(row) >= nodes.size()) {
        return;
    }
    CArtNetNodeDlg dlg(*this, nodes[static_cast<std::size_t>(row)].Ip(),
                       nodes[static_cast<std::size_t>(row)].BindIndex(), this);
    dlg.exec();
}

bool CArtNetNodePane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ConfigSelectedNode();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace varlo::ui
