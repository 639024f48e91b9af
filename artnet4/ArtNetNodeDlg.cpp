#include "artnet4/ArtNetNodeDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "artnet4/ArtNetNodePane.h"
#include "artnet4/NodePorts.h"
#include "artnet4/PortAddress.h"

namespace varlo::ui {

using namespace varlo::artnet4;

namespace {
QString Text(const std::string& s) {
    return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size()));
}
std::string Bytes8(const QString& s) {
    return s.toLocal8Bit().toStdString();
}
}  // namespace

CArtNetNodeDlg::CArtNetNodeDlg(CArtNetNodePane& pane, quint32 ip, int bindIndex, QWidget* parent)
    : QDialog(parent), m_pane(pane), m_ip(ip), m_bindIndex(bindIndex) {
    setObjectName(QStringLiteral("ArtNetNodeDlg"));
    setWindowTitle(QStringLiteral("Art-Net node"));

    auto* node = new QGroupBox(QStringLiteral("Node (read-only)"), this);
    auto* nodeForm = new QFormLayout(node);
    m_info = new QLabel(node);
    m_info->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_report = new QLabel(node);
    m_report->setTextInteractionFlags(Qt::TextSelectableByMouse);
    nodeForm->addRow(m_info);
    nodeForm->addRow(QStringLiteral("Node report:"), m_report);

    auto* names = new QGroupBox(QStringLiteral("Names and addressing"), this);
    auto* form = new QFormLayout(names);
    m_shortName = new QLineEdit(names);
    m_shortName->setMaxLength(ArtAddress::kShortNameWidth - 1);
    m_shortName->setObjectName(QStringLiteral("ShortName"));
    m_longName = new QLineEdit(names);
    m_longName->setMaxLength(ArtAddress::kLongNameWidth - 1);
    m_longName->setObjectName(QStringLiteral("LongName"));
    m_net = new QSpinBox(names);
    m_net->setRange(0, 127);
    m_net->setObjectName(QStringLiteral("Net"));
    m_subNet = new QSpinBox(names);
    m_subNet->setRange(0, 15);
    m_subNet->setObjectName(QStringLiteral("SubNet"));
    form->addRow(QStringLiteral("&Short name:"), m_shortName);
    form->addRow(QStringLiteral("&Long name:"), m_longName);
    form->addRow(QStringLiteral("&Net (0-127):"), m_net);
    form->addRow(QStringLiteral("S&ub-net (0-15):"), m_subNet);

    auto* ports = new QGroupBox(QStringLiteral("Ports"), this);
    auto* grid = new QGridLayout(ports);
    const QString heads[] = {QStringLiteral("Port"),
                             QStringLiteral("Direction"),
                             QStringLiteral("Universe (0-15)"),
                             QStringLiteral("Port-Address"),
                             QStringLiteral("Merge"),
                             QStringLiteral("DMX")};
    for (int c = 0; c < 6; ++c) {
        grid->addWidget(new QLabel(heads[c], ports), 0, c);
    }
    for (int k = 0; k < 4; ++k) {
        PortRow& row = m_ports[k];
        grid->addWidget(new QLabel(QString::number(k + 1), ports), k + 1, 0);
        row.direction = new QLabel(ports);
        row.universe = new QSpinBox(ports);
        row.universe->setRange(0, 15);
        row.universe->setObjectName(QStringLiteral("Universe%1").arg(k + 1));
        row.address = new QLabel(ports);
        row.merge = new QComboBox(ports);
        row.merge->addItems({QStringLiteral("HTP"), QStringLiteral("LTP")});
        row.merge->setObjectName(QStringLiteral("Merge%1").arg(k + 1));
        row.activity = new QLabel(ports);
        grid->addWidget(row.direction, k + 1, 1);
        grid->addWidget(row.universe, k + 1, 2);
        grid->addWidget(row.address, k + 1, 3);
        grid->addWidget(row.merge, k + 1, 4);
        grid->addWidget(row.activity, k + 1, 5);
        connect(row.universe, &QSpinBox::valueChanged, this, &CArtNetNodeDlg::UpdatePortAddresses);
    }
    connect(m_net, &QSpinBox::valueChanged, this, &CArtNetNodeDlg::UpdatePortAddresses);
    connect(m_subNet, &QSpinBox::valueChanged, this, &CArtNetNodeDlg::UpdatePortAddresses);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* apply = buttons->addButton(QDialogButtonBox::Apply);
    apply->setDefault(true);
    QPushButton* locate =
        buttons->addButton(QStringLiteral("L&ocate"), QDialogButtonBox::ActionRole);
    locate->setObjectName(QStringLiteral("Locate"));
    buttons->addButton(QDialogButtonBox::Close);
    connect(apply, &QPushButton::clicked, this, &CArtNetNodeDlg::Apply);
    connect(locate, &QPushButton::clicked, this, &CArtNetNodeDlg::Locate);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(node);
    layout->addWidget(names);
    layout->addWidget(ports);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    m_timeout = new QTimer(this);
    m_timeout->setSingleShot(true);
    connect(m_timeout, &QTimer::timeout, this, [this] {
        m_pending.reset();
        m_status->setText(QStringLiteral("The node did not answer; it may not take ArtAddress."));
    });
    connect(&m_pane, &CArtNetNodePane::nodeUpdated, this, &CArtNetNodeDlg::OnNodeUpdated);

    if (const ArtNetNode* n =
            m_pane.Poller().Nodes().Find(m_ip, static_cast<uint8_t>(m_bindIndex))) {
        Fill(n->reply);
    }
}

void CArtNetNodeDlg::Fill(const ArtPollReply& reply) {
    m_shown = reply;
    m_info->setText(QStringLiteral("IP %1, bind index %2 (root %3)\nMAC %4, firmware %5, "
                                   "ESTA 0x%6, OEM 0x%7")
                        .arg(Text(IpText(reply.Ip())))
                        .arg(reply.BindIndex())
                        .arg(Text(IpText(reply.BindIp())))
                        .arg(Text(MacText(reply.Mac())))
                        .arg(Text(FirmwareText(reply.Firmware())))
                        .arg(reply.EstaCode(), 4, 16, QLatin1Char('0'))
                        .arg(reply.Oem(), 4, 16, QLatin1Char('0')));
    m_report->setText(Text(reply.NodeReport()));
    m_shortName->setText(Text(reply.ShortName()));
    m_longName->setText(Text(reply.LongName()));
    m_net->setValue(reply.NetSwitch());
    m_subNet->setValue(reply.SubSwitch());
    const std::vector<NodePort> ports = PortsOf(reply);
    for (std::size_t k = 0; k < 4; ++k) {
        PortRow& row = m_ports[k];
        const bool has = k < ports.size();
        for (QWidget* w : {static_cast<QWidget*>(row.direction),
                           static_cast<QWidget*>(row.universe), static_cast<QWidget*>(row.address),
                           static_cast<QWidget*>(row.merge), static_cast<QWidget*>(row.activity)}) {
            w->setEnabled(has);
        }
        if (!has) {
            row.direction->setText(QStringLiteral("none"));
            row.address->clear();
            row.activity->clear();
            continue;
        }
        const NodePort& p = ports[k];
        row.direction->setText(p.output && p.input ? QStringLiteral("in + out")
                               : p.input           ? QStringLiteral("input")
                                                   : QStringLiteral("output"));
        row.universe->setValue(p.output || !p.input ? reply.SwOut(k) : reply.SwIn(k));
        row.merge->setCurrentIndex(p.ltp ? 1 : 0);
        row.merge->setEnabled(p.output);  // merging is an output's business
        row.activity->setText((p.output && p.sending) || (p.input && p.receiving)
                                  ? QStringLiteral("active")
                                  : QStringLiteral("idle"));
    }
    UpdatePortAddresses();
}

void CArtNetNodeDlg::UpdatePortAddresses() {
    for (int k = 0; k < 4; ++k) {
        if (m_ports[k].universe->isEnabled()) {
            const uint16_t a = MakePortAddress(static_cast<uint8_t>(m_net->value()),
                                               static_cast<uint8_t>(m_subNet->value()),
                                               static_cast<uint8_t>(m_ports[k].universe->value()));
            m_ports[k].address->setText(Text(FormatPortAddress(a)));
        }
    }
}

AddressRequest CArtNetNodeDlg::EditedRequest() const {
    AddressRequest r;
    // An empty name is Art-Net's "no change": clearing the field sends nothing for it.
    const std::string shortName = Bytes8(m_shortName->text());
    if (!shortName.empty() && shortName != m_shown.ShortName()) {
        r.shortName = shortName;
    }
    const std::string longName = Bytes8(m_longName->text());
    if (!longName.empty() && longName != m_shown.LongName()) {
        r.longName = longName;
    }
    if (m_net->value() != m_shown.NetSwitch()) {
        r.net = static_cast<uint8_t>(m_net->value());
    }
    if (m_subNet->value() != m_shown.SubSwitch()) {
        r.subNet = static_cast<uint8_t>(m_subNet->value());
    }
    const std::vector<NodePort> ports = PortsOf(m_shown);
    for (std::size_t k = 0; k < ports.size(); ++k) {
        const NodePort& p = ports[k];
        const int shown = p.output || !p.input ? m_shown.SwOut(k) : m_shown.SwIn(k);
        if (m_ports[k].universe->value() != shown) {
            r.universe[k] = static_cast<uint8_t>(m_ports[k].universe->value());
        }
        const bool ltp = m_ports[k].merge->currentIndex() == 1;
        if (p.output && ltp != p.ltp) {
            r.ltp[k] = ltp;
        }
    }
    return r;
}

void CArtNetNodeDlg::Apply() {
    const AddressRequest request = EditedRequest();
    if (request.Empty()) {
        m_status->setText(QStringLiteral("Nothing changed."));
        return;
    }
    Send(request);
}

void CArtNetNodeDlg::Locate() {
    AddressRequest request;
    request.locate = true;
    Send(request);
}

void CArtNetNodeDlg::Send(const AddressRequest& request) {
    const ArtNetNode* node = m_pane.Poller().Nodes().Find(m_ip, static_cast<uint8_t>(m_bindIndex));
    if (node == nullptr) {
        m_status->setText(QStringLiteral("The node is no longer in the list."));
        return;
    }
    const std::vector<ArtAddress> packets = BuildAddressPackets(request, node->reply);
    bool sent = true;
    for (const ArtAddress& p : packets) {
        sent &= m_pane.Poller().SendAddress(*node, p);
    }
    if (!sent) {
        m_status->setText(QStringLiteral("ArtAddress could not be sent."));
        return;
    }
    m_pending = request;
    m_answerAt = node->replies + packets.size();
    m_status->setText(QStringLiteral("Sent to %1; waiting for the node's answer...")
                          .arg(Text(IpText(node->reply.Ip()))));
    m_timeout->start(kAnswerWaitMs);
}

void CArtNetNodeDlg::OnNodeUpdated(quint32 ip, int bindIndex) {
    if (ip != m_ip || bindIndex != m_bindIndex) {
        return;
    }
    const ArtNetNode* node = m_pane.Poller().Nodes().Find(m_ip, static_cast<uint8_t>(m_bindIndex));
    if (node == nullptr || (m_pending && node->replies < m_answerAt)) {
        return;  // the answer to the last packet is still on its way
    }
    // The operator's edits stay until the node has answered them; then its word is shown.
    if (!m_pending && !EditedRequest().Empty()) {
        return;
    }
    Fill(node->reply);
    if (m_pending) {
        m_timeout->stop();
        const std::vector<std::string> refused = NotTaken(*m_pending, node->reply);
        m_pending.reset();
        QString text = refused.empty() ? QStringLiteral("The node took every change.")
                                       : QStringLiteral("The node did not take:");
        for (const std::string& line : refused) {
            text += QStringLiteral("\n  ") + Text(line);
        }
        m_status->setText(text);
    }
}

}  // namespace varlo::ui
