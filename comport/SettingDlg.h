#pragma once
// "设置" for an existing row: changes the device address and port index of the mapping in the
// pane's first selected row.
#include "comport/ComMapFieldsDlg.h"

class QLineEdit;

namespace varlo {
struct ComMapEntry;
}

namespace varlo::ui {

class CComMappingListCtrl;

class CSettingDlg : public CComMapFieldsDlg {
    Q_OBJECT
public:
    explicit CSettingDlg(CComMappingListCtrl* pane);

    // The row and entry the dialog works on; -1 and null when the pane had no selected row.
    int Row() const { return m_nRow; }
    ComMapEntry* Entry() const { return m_pEntry; }
    QLineEdit* ComText() const { return m_pCom; }

protected:
    void OnOK() override;

private:
    void OnInitDialog();

    CComMappingListCtrl* m_pPane;
    QLineEdit* m_pCom;
    int m_nRow = -1;
    ComMapEntry* m_pEntry = nullptr;
};

}  // namespace varlo::ui
