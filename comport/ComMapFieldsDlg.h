#pragma once
// What the change and the add dialog share: the title, a frame around the three labelled fields
// ("串口", "设备IP", "端口索引"), the buttons, the OK rule and the port index check.
#include <QDialog>
#include <cstdint>

class QFormLayout;
class QLineEdit;
class QPushButton;

namespace varlo::ui {

class CIpAddressCtrl;

class CComMapFieldsDlg : public QDialog {
    Q_OBJECT
public:
    // The confirmed address, host order (first octet high, as the address field reports it),
    // and port index; valid once the dialog ended with OK.
    uint32_t Address() const { return m_dwAddress; }
    int PortIndex() const { return m_nPortIndex; }

    CIpAddressCtrl* AddressCtrl() const { return m_pAddress; }
    QLineEdit* PortIndexEdit() const { return m_pPortIndex; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

protected:
    explicit CComMapFieldsDlg(QWidget* parent);
    // Puts the dialog's own "串口" control in the first row.
    void SetComField(QWidget* field);

    // OK is enabled exactly when this holds: a port index text and an address other than
    // 0.0.0.0 (which is what a blank address field reads).
    virtual bool CanConfirm() const;
    void UpdateOk();
    // The port index check of OK: the text read as atoi reads it must be 0..256; otherwise
    // the message box says so and the dialog stays open as it is. On success the address and
    // the port index are taken.
    bool CheckAndTakeFields();
    virtual void OnOK() = 0;

private:
    QFormLayout* m_pFields;
    CIpAddressCtrl* m_pAddress;
    QLineEdit* m_pPortIndex;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    uint32_t m_dwAddress = 0;
    int m_nPortIndex = 0;
};

}  // namespace varlo::ui
