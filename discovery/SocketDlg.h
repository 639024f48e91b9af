#pragma once
// A dialog that owns a socket: when a datagram is waiting on the socket it watches, the dialog
// is told on the user-interface thread through OnSocketReceive.
#include <QDialog>

#include "discovery/MySchSocket.h"

class QSocketNotifier;

namespace varlo::ui {

class CSocketDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSocketDlg(QWidget* parent = nullptr) : QDialog(parent) {}

protected:
    // Read notifications of socket now reach OnSocketReceive; a closed socket is not watched.
    void WatchSocket(const CMySchSocket& socket);
    void StopWatching();
    virtual void OnSocketReceive(const CMySchSocket& socket, int nErrorCode);

private:
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace varlo::ui
