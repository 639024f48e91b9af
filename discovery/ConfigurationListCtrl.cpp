#include "discovery/ConfigurationListCtrl.h"

#include <QKeyEvent>
#include <QList>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeWidgetItem>

#include "discovery/DeviceMarks.h"
#include "discovery/DeviceRowText.h"
#include "discovery/DeviceTable.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {

CConfigurationListCtrl::CConfigurationListCtrl(QWidget* parent) : CReportListCtrl(parent) {
    setObjectName(QStringLiteral("Configuration"));
    SetColumns({{QStringLiteral("No."), 100},
                {QStringLiteral("Device Type"), 150},
                {QStringLiteral("MAC"), 150},
                {QStringLiteral("IP Address"), 150},
                {QStringLiteral("Status"), 350}});
    // Export and Batch change work on several rows at once; Config takes the first of them.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void CConfigurationListCtrl::RefreshDeviceList() {
    DeleteAllRows();
    // Thousands of devices may answer a search: the rows go in as one batch, in table order,
    // instead of one model update per row.
    const int count = static_cast<int>(g_arrConfigParam.GetSize());
    QList<QTreeWidgetItem*> items;
    items.reserve(count);
    const std::vector<DeviceMark> marks = MarkDevices(g_arrConfigParam);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int r = 0; r < count; ++r) {
        QStringList texts = DeviceRowText(r, g_arrConfigParam[static_cast<std::size_t>(r)]);
        texts << QStringLiteral("OK");
        auto* item = new QTreeWidgetItem(texts);
        // The mark sits on the address, which is what the operator has to change; the tooltip
        // over the whole row says how.
        if (const DeviceMark& mark = marks[static_cast<std::size_t>(r)]; mark.Any()) {
            item->setIcon(kIpColumn, warning);
            const QString advice = QString::fromStdString(mark.advice);
            for (int c = 0; c < texts.size(); ++c) {
                item->setToolTip(c, advice);
            }
        }
        items.append(item);
    }
    addTopLevelItems(items);
}

void CConfigurationListCtrl::ConfigCurrentDevice() {
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    g_nCurDevice = row;
    if (RowCount() > kMaxConfigRows) {
        VarloMessageBox(this, QStringLiteral("可能产生广播风暴，请断开有线网络再试！！！"));
        return;
    }
    if (static_cast<std::size_t>(g_nCurDevice) >= g_arrConfigParam.GetSize() || !m_dialogs) {
        return;
    }
    const uint32_t type = g_arrConfigParam[static_cast<std::size_t>(g_nCurDevice)].dwType();
    if (std::unique_ptr<QDialog> dialog = m_dialogs(type, this)) {
        dialog->exec();
    }
    RefreshDeviceList();
}

void CConfigurationListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    // The list's own handling first: it may move the selection to the row under the pointer.
    CReportListCtrl::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        ConfigCurrentDevice();
    }
}

void CConfigurationListCtrl::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        ConfigCurrentDevice();
        return;
    }
    CReportListCtrl::keyPressEvent(event);
}

}  // namespace varlo::ui
