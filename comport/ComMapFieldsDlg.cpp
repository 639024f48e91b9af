#include "comport/ComMapFieldsDlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "comport/ComMapEntry.h"
#include "widgets/IpAddressCtrl.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {

CComMapFieldsDlg::CComMapFieldsDlg(QWidget* parent)
    : QDialog(parent),
      m_pFields(nullptr),
      m_pAddress(new CIpAddressCtrl(this)),
      m_pPortIndex(new QLineEdit(this)),
      m_pOk(new QPushButton(QStringLiteral("确定"), this)),
      m_pCancel(new QPushButton(QStringLiteral("取消"), this)) {
    setWindowTitle(QStringLiteral("设置"));

    auto* frame = new QGroupBox(this);
    m_pFields = new QFormLayout(frame);
    m_pFields->addRow(QStringLiteral("设备IP"), m_pAddress);
    m_pFields->addRow(QStringLiteral("端口索引"), m_pPortIndex);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    m_pOk->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    connect(m_pAddress, &CIpAddressCtrl::addressChanged, this, &CComMapFieldsDlg::UpdateOk);
    connect(m_pPortIndex, &QLineEdit::textChanged, this, &CComMapFieldsDlg::UpdateOk);
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CComMapFieldsDlg::SetComField(QWidget* field) {
    m_pFields->insertRow(0, QStringLiteral("串口"), field);
}

bool CComMapFieldsDlg::CanConfirm() const {
    return !m_pPortIndex->text().isEmpty() && m_pAddress->GetAddress() != 0;
}

void CComMapFieldsDlg::UpdateOk() {
    m_pOk->setEnabled(CanConfirm());
}

bool CComMapFieldsDlg::CheckAndTakeFields() {
    const int index = ParsePortIndex(m_pPortIndex->text().toStdString());
    if (!IsValidPortIndex(index)) {
        VarloMessageBox(this, QStringLiteral("无效的端口ID"));
        return false;
    }
    m_nPortIndex = index;
    m_dwAddress = m_pAddress->GetAddress();
    return true;
}

}  // namespace varlo::ui
