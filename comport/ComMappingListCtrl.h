#pragma once
// The COM mapping pane: the workstation's virtual COM ports that the driver maps onto a device
// address and port index, as its registry parameters say when the pane is created. Changes and
// additions made through the two dialogs stay in the pane's own table; nothing is written back.
#include <QDialog>
#include <array>
#include <functional>

#include "comport/ComMapEntry.h"
#include "comport/ComMapping.h"
#include "widgets/ReportListCtrl.h"

namespace varlo::ui {

class CComMappingListCtrl : public CReportListCtrl {
    Q_OBJECT
public:
    // Runs a modal dialog and returns its result; exec() unless a test drives the dialog.
    using DialogRunner = std::function<int(QDialog&)>;

    explicit CComMappingListCtrl(QWidget* parent = nullptr);

    // Reads every COM number's mapping into the table and lists the mapped and disabled ones.
    void LoadComMappings();
    // "修改": the change dialog for the selected row; nothing happens without a selected row.
    void EditComMapping();
    // "添加": the add dialog; the chosen number's mapping is appended as a new row.
    void AddComMapping();

    // Entry k of the table: the mapping of COM number k + 1.
    const ComMapEntry& Entry(int k) const { return m_ComMap.at(static_cast<std::size_t>(k)); }
    // The entry a row is bound to; several rows can share one after repeated additions.
    ComMapEntry* RowEntry(int row) const;
    // The row's image: 0 shows a disabled mapping, 2 any other.
    int RowImage(int row) const;
    int LastRow() const { return m_nLastRow; }
    // The tooltip and status text of a row whose entry was changed or added here: the pane
    // never writes to the driver, so such a row is marked (amber icon, italic text).
    static QString UnsavedNote();

    void SetDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

protected:
    // On a row: change it; anywhere else (below the last row, an empty pane): add one.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int InsertMappingRow(int index, ComMapEntry& e);
    // The row's cells and its mark from its entry.
    void FillRow(int row, const ComMapEntry& e);
    // Every row bound to e: repeated additions of one COM number share its entry.
    void RefreshEntryRows(const ComMapEntry& e);
    int RunDialog(QDialog& dialog);

    std::array<ComMapEntry, kMaxComNumber> m_ComMap{};
    int m_nLastRow = 0;
    DialogRunner m_runDialog;
};

}  // namespace varlo::ui
