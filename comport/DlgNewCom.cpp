#include "comport/DlgNewCom.h"

#include <QComboBox>
#include <QLineEdit>

#include "comport/ComMapEntry.h"
#include "comport/ComMapping.h"

namespace varlo::ui {

CDlgNewCom::CDlgNewCom(QWidget* parent) : CComMapFieldsDlg(parent), m_pCom(new QComboBox(this)) {
    m_pCom->setEditable(true);
    m_pCom->setInsertPolicy(QComboBox::NoInsert);  // typed text never becomes an item
    SetComField(m_pCom);
    OnInitDialog();
    connect(m_pCom, &QComboBox::currentIndexChanged, this, &CDlgNewCom::UpdateOk);
    connect(m_pCom, &QComboBox::editTextChanged, this, &CDlgNewCom::UpdateOk);
}

void CDlgNewCom::OnInitDialog() {
    for (int n = 1; n <= kMaxComNumber; ++n) {
        uint32_t ip = 0;
        int32_t port = 0, report = 0, keepAlive = 0, share = 0;
        if (ReadComMapping(n, &ip, &port, &report, &keepAlive, &share) == COMMAP_FREE) {
            m_pCom->addItem(QString::fromStdString(ComPortText(n)), n - 1);
        }
    }
    m_pCom->setCurrentIndex(m_pCom->count() > 0 ? 0 : -1);
    PortIndexEdit()->setText(QStringLiteral("1"));
    UpdateOk();
}

int CDlgNewCom::SelectedItem() const {
    const int item = m_pCom->currentIndex();
    return item >= 0 && m_pCom->currentText() == m_pCom->itemText(item) ? item : -1;
}

bool CDlgNewCom::CanConfirm() const {
    return CComMapFieldsDlg::CanConfirm() && SelectedItem() >= 0;
}

void CDlgNewCom::OnOK() {
    const int item = SelectedItem();
    if (item < 0 || !CheckAndTakeFields()) {
        return;
    }
    m_nComIndex = m_pCom->itemData(item).toInt();
    accept();
}

}  // namespace varlo::ui
