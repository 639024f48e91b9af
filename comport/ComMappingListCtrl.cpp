#include "comport/ComMappingListCtrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "comport/DlgNewCom.h"
#include "comport/SettingDlg.h"

namespace varlo::ui {

namespace {
constexpr int kImageRole = Qt::UserRole + 1;

// A row's state at a glance: a green dot for a mapping, a grey struck-through one for a
// disabled mapping; amber once changed or added here, which the driver does not know of.
QIcon StateIcon(bool disabled, bool unsaved) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor line = unsaved    ? QColor(150, 90, 0)
                        : disabled ? QColor(110, 110, 110)
                                   : QColor(20, 110, 40);
    const QColor fill = unsaved    ? QColor(245, 170, 30)
                        : disabled ? QColor(200, 200, 200)
                                   : QColor(60, 180, 75);
    painter.setPen(QPen(line, 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    if (disabled) {
        painter.setPen(QPen(line, 1.5));
        painter.drawLine(QPointF(3, 9), QPointF(9, 3));
    }
    return QIcon(pixmap);
}

const QIcon& RowIcon(int image, bool unsaved) {
    static const QIcon icons[2][2] = {{StateIcon(false, false), StateIcon(false, true)},
                                      {StateIcon(true, false), StateIcon(true, true)}};
    return icons[image == 0 ? 1 : 0][unsaved ? 1 : 0];
}

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

CComMappingListCtrl::CComMappingListCtrl(QWidget* parent) : CReportListCtrl(parent) {
    SetColumns({{QStringLiteral("COM Port"), 150},
                {QStringLiteral("IP Address"), 300},
                {QStringLiteral("Port Index"), 290}});
    LoadComMappings();
    SelectRow(0);
}

void CComMappingListCtrl::LoadComMappings() {
    DeleteAllRows();
    int next = 0;
    for (int n = 1; n <= kMaxComNumber; ++n) {
        ComMapEntry& e = m_ComMap[static_cast<std::size_t>(n - 1)];
        e = ReadComMapEntry(n);
        if (IsListedComState(e.nState)) {
            m_nLastRow = InsertMappingRow(next++, e);
            FillRow(m_nLastRow, e);
        }
    }
}

void CComMappingListCtrl::EditComMapping() {
    if (SelectedRow() < 0) {
        return;
    }
    CSettingDlg dialog(this);
    if (RunDialog(dialog) != QDialog::Accepted || dialog.Entry() == nullptr) {
        return;
    }
    ComMapEntry& e = *dialog.Entry();
    if (e.nState == COMMAP_FREE) {
        // Added through the add dialog: take what was confirmed.
        e.dwIP = ComIpFromHost(dialog.Address());
        e.nPort = dialog.PortIndex();
    } else {
        bool changed = false;
        if (dialog.Address() != ComIpToHost(e.dwIP)) {
            e.dwIP = ComIpFromHost(dialog.Address());
            changed = true;
        }
        if (dialog.PortIndex() != e.nPort) {
            e.nPort = dialog.PortIndex();
            changed = true;
        }
        if (!changed) {
            return;
        }
    }
    e.bModified = 1;
    RefreshEntryRows(e);
}

void CComMappingListCtrl::AddComMapping() {
    CDlgNewCom dialog(this);
    if (RunDialog(dialog) != QDialog::Accepted) {
        return;
    }
    const int k = dialog.ComIndex();
    if (k < 0 || k >= kMaxComNumber) {
        return;
    }
    ComMapEntry& e = m_ComMap[static_cast<std::size_t>(k)];
    m_nLastRow = InsertMappingRow(m_nLastRow + 1, e);
    e.dwIP = ComIpFromHost(dialog.Address());
    e.nPort = dialog.PortIndex();
    e.bModified = 1;
    // An earlier row of the same COM number shows the new mapping too.
    RefreshEntryRows(e);
}

ComMapEntry* CComMappingListCtrl::RowEntry(int row) const {
    return static_cast<ComMapEntry*>(RowData(row).value<void*>());
}

int CComMappingListCtrl::RowImage(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, kImageRole).toInt() : -1;
}

void CComMappingListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (RowAt(event->position().toPoint()) >= 0) {
            EditComMapping();
        } else {
            AddComMapping();
        }
    }
    CReportListCtrl::mouseDoubleClickEvent(event);
}

int CComMappingListCtrl::InsertMappingRow(int index, ComMapEntry& e) {
    const int row =
        InsertRow(index, {Text(ComPortText(e.nCom))}, QVariant::fromValue(static_cast<void*>(&e)));
    const int image = ComStateImage(e.nState);
    topLevelItem(row)->setData(0, kImageRole, image);
    return row;
}

void CComMappingListCtrl::FillRow(int row, const ComMapEntry& e) {
    SetCellText(row, 1, Text(ComIpText(e.dwIP)));
    SetCellText(row, 2, Text(ComPortIndexText(e.nPort)));
    QTreeWidgetItem* item = topLevelItem(row);
    const bool unsaved = e.bModified != 0;
    item->setIcon(0, RowIcon(item->data(0, kImageRole).toInt(), unsaved));
    const QString note = unsaved ? UnsavedNote() : QString();
    for (int column = 0; column < columnCount(); ++column) {
        QFont font = item->font(column);
        font.setItalic(unsaved);
        item->setFont(column, font);
        item->setToolTip(column, note);
        item->setStatusTip(column, note);
    }
}

void CComMappingListCtrl::RefreshEntryRows(const ComMapEntry& e) {
    for (int row = 0; row < RowCount(); ++row) {
        if (RowEntry(row) == &e) {
            FillRow(row, e);
        }
    }
}

QString CComMappingListCtrl::UnsavedNote() {
    return QStringLiteral("Changed here since the program started; not saved to the driver");
}

int CComMappingListCtrl::RunDialog(QDialog& dialog) {
    return m_runDialog ? m_runDialog(dialog) : dialog.exec();
}

}  // namespace varlo::ui
