#pragma once
// The serial-line page "串口设置": baud rate, data bits, stop bits and parity.
#include <QWidget>

#include "serialserver/SerialSettingPage.h"

class QComboBox;

namespace varlo::ui {

class CSerialSettingDlg : public QWidget {
    Q_OBJECT
public:
    CSerialSettingDlg(QWidget* parent, serialserver::SerialSettingPage& state);

    void UpdateFromState();

    QComboBox* BaudRateList() const { return m_cmbBaudRate; }
    QComboBox* DataBitsList() const { return m_cmbDataBits; }
    QComboBox* StopBitsList() const { return m_cmbStopBits; }
    QComboBox* ParityList() const { return m_cmbParity; }

private:
    serialserver::SerialSettingPage& m_state;
    QComboBox* m_cmbBaudRate = nullptr;
    QComboBox* m_cmbDataBits = nullptr;
    QComboBox* m_cmbStopBits = nullptr;
    QComboBox* m_cmbParity = nullptr;
};

}  // namespace varlo::ui
