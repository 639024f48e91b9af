#include "discovery/ConfigurationListCtrl.h"

#include <QList>
#include <QTreeWidgetItem>

#include "discovery/DeviceRowText.h"
#include "discovery/DeviceTable.h"

namespace varlo::ui {

CConfigurationListCtrl::CConfigurationListCtrl(QWidget* parent) : CReportListCtrl(parent) {
    setObjectName(QStringLiteral("Configuration"));
    SetColumns({{QStringLiteral("No."), 100},
                {QStringLiteral("Device Type"), 150},
                {QStringLiteral("MAC"), 150},
                {QStringLiteral("IP Address"), 150},
                {QStringLiteral("Status"), 350}});
}

void CConfigurationListCtrl::RefreshDeviceList() {
    DeleteAllRows();
    // Thousands of devices may answer a search: the rows go in as one batch, in table order,
    // instead of one model update per row.
    const int count = static_cast<int>(g_arrConfigParam.GetSize());
    QList<QTreeWidgetItem*> items;
    items.reserve(count);
    for (int r = 0; r < count; ++r) {
        QStringList texts = DeviceRowText(r, g_arrConfigParam[static_cast<std::size_t>(r)]);
        texts << QStringLiteral("OK");
        items.append(new QTreeWidgetItem(texts));
    }
    addTopLevelItems(items);
}

}  // namespace varlo::ui
