#include "comport/SettingDlg.h"

#include <QLineEdit>

#include "comport/ComMapEntry.h"
#include "comport/ComMapping.h"
#include "comport/ComMappingListCtrl.h"
#include "widgets/IpAddressCtrl.h"

namespace varlo::ui {

CSettingDlg::CSettingDlg(CComMappingListCtrl* pane)
    : CComMapFieldsDlg(pane), m_pPane(pane), m_pCom(new QLineEdit(this)) {
    m_pCom->setReadOnly(true);
    SetComField(m_pCom);
    OnInitDialog();
}

void CSettingDlg::OnInitDialog() {
    const int row = m_pPane->SelectedRow();
    if (row >= 0) {
        m_nRow = row;
        m_pEntry = m_pPane->RowEntry(row);
    }
    if (m_pEntry != nullptr) {
        m_pCom->setText(QString::fromStdString(ComPortText(m_pEntry->nCom)));
        // A disabled or added mapping opens with both fields empty.
        if (m_pEntry->nState == COMMAP_ACTIVE) {
            AddressCtrl()->SetAddress(ComIpToHost(m_pEntry->dwIP));
            PortIndexEdit()->setText(QString::fromStdString(ComPortIndexText(m_pEntry->nPort)));
        }
    }
    UpdateOk();
}

void CSettingDlg::OnOK() {
    if (!CheckAndTakeFields()) {
        return;
    }
    accept();
}

}  // namespace varlo::ui
