#pragma once
// The Art-Net 4 node list: every node that answers a poll on port 6454, whatever its maker, one
// row per IP address and bind index. While the pane is shown it polls every three seconds
// (Art-Net asks controllers for no more than one poll in 2.5 s) and keeps each row's age; Config,
// a double click or Enter opens the "Art-Net node" dialog of the selected row.
#include <QElapsedTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "artnet4/ArtNetPoller.h"

class QLabel;
class QPushButton;
class QSocketNotifier;
class QTimer;

namespace varlo::ui {

class CReportListCtrl;

class CArtNetNodePane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPollIntervalMs = 3000;
    static constexpr int kMinPollGapMs = 2500;
    enum Column {
        ColShortName,
        ColLongName,
        ColIp,
        ColBind,
        ColMac,
        ColFirmware,
        ColPort1,  // four port columns
        ColReport = ColPort1 + 4,
        ColAge,
        ColumnCount
    };

    explicit CArtNetNodePane(QWidget* parent = nullptr);
    ~CArtNetNodePane() override;

    // A poll now, or as soon as 2.5 s have passed since the last one.
    void RequestPoll();
    // Opens the "Art-Net node" dialog of the selected row, modally.
    void ConfigSelectedNode();

    CReportListCtrl* List() const { return m_list; }
    artnet4::ArtNetPoller& Poller() { return *m_poller; }
    int PollsSent() const { return m_pollsSent; }

signals:
    // A node's row changed (a reply came in).
    void nodeUpdated(quint32 ip, int bindIndex);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool EnsureOpen();
    void SendPoll();
    void OnReadable();
    void UpdateRow(std::size_t index);
    void RebuildRows();
    void UpdateAges();
    void UpdateStatus();

    std::unique_ptr<artnet4::ArtNetPoller> m_poller;
    QSocketNotifier* m_notifier = nullptr;
    CReportListCtrl* m_list = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_config = nullptr;
    QTimer* m_pollTimer = nullptr;
    QTimer* m_ageTimer = nullptr;
    QTimer* m_deferred = nullptr;
    QElapsedTimer m_sinceLastPoll;
    int m_pollsSent = 0;
    bool m_pollFailed = false;
};

}  // namespace varlo::ui
