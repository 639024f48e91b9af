#pragma once
// "IP Search": asks every address of an address, a range or a network by unicast, at a bounded
// rate, and lists the devices that answer as the search dialog does; they join the device list
// after the devices already there. A progress bar shows how many addresses were asked; Stop
// ends it early. The ranges typed are remembered.
#include <QTimer>

#include "discovery/IpSearchSession.h"
#include "discovery/SocketDlg.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace varlo::ui {

class CReportListCtrl;

class CIpSearchDlg : public CSocketDlg {
    Q_OBJECT
public:
    static constexpr int kRememberedRanges = 10;
    // Requests are sent in the bursts that fall due between two ticks of this timer.
    static constexpr int kPumpMs = 5;

    explicit CIpSearchDlg(QWidget* parent = nullptr);

    // Starts a search of the range typed; false (with the reason shown) when it is not one.
    bool OnSearch();
    bool Running() const { return m_pump.isActive(); }
    std::size_t Found() const { return m_session.Found(); }

    QComboBox* RangeBox() const { return m_cbRange; }
    CReportListCtrl* ResultList() const { return m_lstResult; }
    QLabel* StatusText() const { return m_stStatus; }
    QProgressBar* Progress() const { return m_ctlProgress; }

    static QStringList RememberedRanges();

protected:
    void OnSocketReceive(const CMySchSocket& socket, int nErrorCode) override;
    void done(int result) override;

private:
    void OnPump();
    void OnStopOrClose();
    void Finish();
    void AddNewRows();
    void ShowProgress();
    void Remember(const QString& range);

    IpSearchSession m_session;
    QTimer m_pump;
    std::size_t m_firstRecord = 0;
    QComboBox* m_cbRange = nullptr;
    QPushButton* m_btnSearch = nullptr;
    QPushButton* m_btnStop = nullptr;
    QProgressBar* m_ctlProgress = nullptr;
    QLabel* m_stStatus = nullptr;
    CReportListCtrl* m_lstResult = nullptr;
};

}  // namespace varlo::ui
