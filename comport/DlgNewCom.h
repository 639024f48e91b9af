#pragma once
// "设置" for a new mapping: offers every COM number the driver could map, read afresh from the
// registry each time the dialog opens.
#include "comport/ComMapFieldsDlg.h"

class QComboBox;

namespace varlo::ui {

class CDlgNewCom : public CComMapFieldsDlg {
    Q_OBJECT
public:
    explicit CDlgNewCom(QWidget* parent = nullptr);

    // The chosen COM number minus 1; valid once the dialog ended with OK.
    int ComIndex() const { return m_nComIndex; }
    QComboBox* ComCombo() const { return m_pCom; }

protected:
    bool CanConfirm() const override;
    void OnOK() override;

private:
    void OnInitDialog();
    // The list item that is selected, or -1: typing into the combo's field drops the selection
    // unless the text is exactly an item's.
    int SelectedItem() const;

    QComboBox* m_pCom;
    int m_nComIndex = -1;
};

}  // namespace varlo::ui
