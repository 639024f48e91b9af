#pragma once
// "Art-Net node": one node's names, net, sub-net, each port's universe and merge mode, as its
// last ArtPollReply gives them. Apply sends what the operator changed as ArtAddress unicast to
// the node (one packet, plus one per further command: Art-Net carries one command a packet),
// and the node's own reply fills the dialog again, so the operator sees what it took. Fields
// Art-Net cannot set are read-only.
#include <QDialog>
#include <array>
#include <optional>

#include "artnet4/AddressRequest.h"
#include "artnet4/ArtPollReply.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace varlo::ui {

class CArtNetNodePane;

class CArtNetNodeDlg : public QDialog {
    Q_OBJECT
public:
    // How long the dialog waits for the node's answer before it says there was none.
    static constexpr int kAnswerWaitMs = 3000;

    CArtNetNodeDlg(CArtNetNodePane& pane, quint32 ip, int bindIndex, QWidget* parent = nullptr);

    // What Apply would ask for, from the fields that differ from the node's last reply.
    artnet4::AddressRequest EditedRequest() const;
    void Apply();
    void Locate();

    QLineEdit* ShortName() const { return m_shortName; }
    QLineEdit* LongName() const { return m_longName; }
    QSpinBox* Net() const { return m_net; }
    QSpinBox* SubNet() const { return m_subNet; }
    QSpinBox* Universe(int k) const { return m_ports[k].universe; }
    QComboBox* Merge(int k) const { return m_ports[k].merge; }
    QLabel* PortAddress(int k) const { return m_ports[k].address; }
    QLabel* Status() const { return m_status; }

private:
    struct PortRow {
        QLabel* direction = nullptr;
        QSpinBox* universe = nullptr;
        QLabel* address = nullptr;
        QComboBox* merge = nullptr;
        QLabel* activity = nullptr;
    };

    void Fill(const artnet4::ArtPollReply& reply);
    void Send(const artnet4::AddressRequest& request);
    void OnNodeUpdated(quint32 ip, int bindIndex);
    void UpdatePortAddresses();

    CArtNetNodePane& m_pane;
    quint32 m_ip;
    int m_bindIndex;
    artnet4::ArtPollReply m_shown;
    std::optional<artnet4::AddressRequest> m_pending;
    quint64 m_answerAt = 0;  // the node's reply count that answers the last packets sent

    QLabel* m_info = nullptr;
    QLabel* m_report = nullptr;
    QLineEdit* m_shortName = nullptr;
    QLineEdit* m_longName = nullptr;
    QSpinBox* m_net = nullptr;
    QSpinBox* m_subNet = nullptr;
    std::array<PortRow, 4> m_ports;
    QLabel* m_status = nullptr;
    QTimer* m_timeout = nullptr;
};

}  // namespace varlo::ui
