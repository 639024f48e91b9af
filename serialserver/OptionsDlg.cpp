#include "serialserver/OptionsDlg.h"

#include <QLineEdit>

#include "discovery/DeviceTable.h"
#include "serialserver/BasicSettingDlg.h"
#include "serialserver/OpModeSettingDlg.h"
#include "serialserver/PageBinding.h"
#include "serialserver/SerialSettingDlg.h"
#include "serialserver/WirelessSettingDlg.h"
#include "widgets/WaitCursor.h"

namespace varlo::ui {

namespace {
using serialserver::GetSerialServerModel;

ParamDialogFrame::Texts DialogTexts() {
    return {QString::fromUtf8(GetSerialServerModel().title),
            QStringLiteral("基本信息"),
            QStringLiteral("确定"),
            QStringLiteral("应用"),
            QStringLiteral("取消"),
            {}};
}

QStringList InfoLabels() {
    return {QStringLiteral("硬件版本："),  QStringLiteral("固件版本："),
            QStringLiteral("模块名："),    QStringLiteral("系列号："),
            QStringLiteral("局域网MAC："), QStringLiteral("无线MAC：")};
}

QStringList TabCaptions() {
    QStringList captions;
    for (const serialserver::SerialServerTab& tab : GetSerialServerModel().tabs) {
        captions << QString::fromUtf8(tab.caption);
    }
    return captions;
}
}  // namespace

COptionsDlg::COptionsDlg(QWidget* parent)
    : ParamDialogFrame(parent, DialogTexts(), InfoLabels(), TabCaptions()),
      m_config(CurrentDeviceIdentity()) {
    // The pages in tab order; the network page is in front.
    m_basic = new CBasicSettingDlg(this, m_config.basic);
    m_wireless = new CWirelessSettingDlg(this, m_config);
    m_serial = new CSerialSettingDlg(this, m_config.serial);
    m_opMode = new COpModeSettingDlg(this, m_config.opMode);
    AddPage(m_basic);
    AddPage(m_wireless);
    AddPage(m_serial);
    AddPage(m_opMode);
    OnInitDialog();
}

void COptionsDlg::OnInitDialog() {
    {
        const WaitCursor wait;
        m_readsSucceeded = m_config.Open();
    }
    // Pages of blocks not read keep their empty first state; so does the panel.
    using serialserver::SerialInfoPanel;
    if (m_config.IsRead(serialserver::kInfoBlock)) {
        for (int row = 0; row < SerialInfoPanel::kRowCount; ++row) {
            SetInfoText(row, FromLocalBytes(m_config.info.texts[static_cast<std::size_t>(row)]));
        }
    }
    if (m_config.IsRead(serialserver::kBasicBlock)) {
        m_basic->UpdateFromState();
    }
    if (m_config.IsRead(serialserver::kWirelessBlock)) {
        m_wireless->UpdateFromState();
    }
    if (m_config.IsRead(serialserver::kSerialBlock)) {
        m_serial->UpdateFromState();
    }
    if (m_config.IsRead(serialserver::kOpModeBlock)) {
        m_opMode->UpdateFromState();
    }
    // Renaming a device is typing the name and pressing Enter.
    m_basic->DeviceNameEdit()->setFocus(Qt::OtherFocusReason);
    m_basic->DeviceNameEdit()->selectAll();
}

void COptionsDlg::OnApply() {
    const WaitCursor wait;
    m_config.Apply();
}

}  // namespace varlo::ui
