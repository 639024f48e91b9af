#include "app/FleetProgressDlg.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/DeviceWorkRunner.h"

namespace varlo::ui {

CFleetProgressDlg::CFleetProgressDlg(const QString& what, CDeviceWorkRunner* runner,
                                     QWidget* parent)
    : QDialog(parent), m_what(what), m_runner(runner) {
    setObjectName(QStringLiteral("FleetProgress"));
    setWindowTitle(QStringLiteral("Varlo"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("ProgressText"));
    m_text->setMinimumWidth(m_text->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);
    m_text->setWordWrap(true);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar"));
    auto* buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &CFleetProgressDlg::OnCancel);
    // A thousand devices on loopback finish faster than the window repaints: the text follows
    // on a timer, not on every device, so the UI thread never works through a backlog of them.
    auto* refresh = new QTimer(this);
    connect(refresh, &QTimer::timeout, this, &CFleetProgressDlg::UpdateText);
    refresh->start(50);
    connect(m_runner, &CDeviceWorkRunner::finished, this, [this] {
        m_finished = true;
        done(m_runner->CancelRequested() ? QDialog::Rejected : QDialog::Accepted);
    });
    UpdateText();
}

bool CFleetProgressDlg::RunToEnd() {
    if (!m_runner->Running()) {
        return !m_runner->CancelRequested();
    }
    exec();
    return !m_runner->CancelRequested();
}

void CFleetProgressDlg::UpdateText() {
    const auto count = static_cast<int>(m_runner->Count());
    const auto done = static_cast<int>(m_runner->DoneCount());
    m_bar->setRange(0, std::max(count, 1));
    m_bar->setValue(count == 0 ? 1 : done);
    if (m_runner->CancelRequested()) {
        m_text->setText(QStringLiteral("Stopping: %1 started device(s) finish their work; "
                                       "no other device is started.")
                            .arg(m_runner->InProgressCount()));
    } else {
        m_text->setText(
            QStringLiteral("%1: %2 of %3 device(s) done.").arg(m_what).arg(done).arg(count));
    }
}

void CFleetProgressDlg::OnCancel() {
    m_runner->RequestCancel();
    m_cancel->setEnabled(false);
    UpdateText();
}

void CFleetProgressDlg::reject() {
    // Esc: the same as Cancel; the dialog closes itself once the started devices are done.
    if (m_finished) {
        QDialog::reject();
        return;
    }
    OnCancel();
}

void CFleetProgressDlg::closeEvent(QCloseEvent* event) {
    if (!m_finished) {
        OnCancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace varlo::ui
