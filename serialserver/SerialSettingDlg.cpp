#include "serialserver/SerialSettingDlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "serialserver/PageBinding.h"
#include "serialserver/SerialServerItems.h"

namespace varlo::ui {

CSerialSettingDlg::CSerialSettingDlg(QWidget* parent, serialserver::SerialSettingPage& state)
    : QWidget(parent), m_state(state) {
    auto* group = new QGroupBox(QStringLiteral("串口参数"), this);
    auto* form = new QFormLayout(group);
    m_cmbBaudRate = NewList(group, serialserver::kBaudRateTexts);
    form->addRow(QStringLiteral("波特率："), m_cmbBaudRate);
    m_cmbDataBits = NewList(group, serialserver::kDataBitsTexts);
    form->addRow(QStringLiteral("数据位："), m_cmbDataBits);
    m_cmbStopBits = NewList(group, serialserver::kStopBitsTexts);
    form->addRow(QStringLiteral("停止位："), m_cmbStopBits);
    m_cmbParity = NewList(group, serialserver::kParityTexts);
    form->addRow(QStringLiteral("奇偶校验："), m_cmbParity);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);

    BindList(m_cmbBaudRate, [this](int index) { m_state.baudRate = index; });
    BindList(m_cmbDataBits, [this](int index) { m_state.dataBits = index; });
    BindList(m_cmbStopBits, [this](int index) { m_state.stopBits = index; });
    BindList(m_cmbParity, [this](int index) { m_state.parity = index; });
}

void CSerialSettingDlg::UpdateFromState() {
    ShowSelection(m_cmbBaudRate, m_state.baudRate);
    ShowSelection(m_cmbDataBits, m_state.dataBits);
    ShowSelection(m_cmbStopBits, m_state.stopBits);
    ShowSelection(m_cmbParity, m_state.parity);
}

}  // namespace varlo::ui
