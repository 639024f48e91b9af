#include "discovery/SocketDlg.h"

#include <QSocketNotifier>

namespace varlo::ui {

void CSocketDlg::WatchSocket(const CMySchSocket& socket) {
    StopWatching();
    if (!socket.IsOpen()) {
        return;
    }
    m_notifier =
        new QSocketNotifier(static_cast<qintptr>(socket.Descriptor()), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this,
            [this, &socket] { OnSocketReceive(socket, 0); });
}

void CSocketDlg::StopWatching() {
    delete m_notifier;
    m_notifier = nullptr;
}

void CSocketDlg::OnSocketReceive(const CMySchSocket&, int) {}

}  // namespace varlo::ui
