#pragma once
// The main window's work on many devices at once: Export, Import (restore and clone) with a
// preview, Batch change with numbering, and Clear All Devices. The configuration files, the named
// fields and the writes are the command line's own (configfiles/); this class only picks the
// devices from the list, asks the operator, runs the device work off the UI thread under a
// progress dialog, and reports each device in the result pane.
//
// Nothing is written to a device before the operator has seen its changes in the preview and
// pressed Write, and then only if the device still holds what the preview read.
#include <QObject>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <vector>

#include "discovery/ConfigParam.h"

class QWidget;

namespace varlo::ui {

class CConfigurationListCtrl;
class CChangePreviewDlg;
struct FleetPlan;

class CFleetCommands : public QObject {
    Q_OBJECT
public:
    using Reporter = std::function<void(const QString&)>;
    // Asks for the files to import (a file dialog; tests hand in their own).
    using FilesChooser = std::function<QStringList(QWidget* parent)>;

    CFleetCommands(QWidget* window, CConfigurationListCtrl* devices, Reporter report,
                   QObject* parent = nullptr);
    ~CFleetCommands() override;

    void OnExport();
    void OnImport();
    void OnBatchChange();
    void OnClearAllDevices();

    void SetFilesChooser(FilesChooser chooser) { m_chooseFiles = std::move(chooser); }
    // Where backups go; by default the command line's folder.
    void SetBackupDir(const std::filesystem::path& dir) { m_backupDir = dir; }
    const std::filesystem::path& BackupDir() const { return m_backupDir; }
    // Devices worked on side by side (CDeviceWorkRunner::DefaultJobs by default).
    void SetJobs(int jobs) { m_jobs = jobs; }

signals:
    // A command has finished (tests wait for it).
    void commandDone();

private:
    // The records of the selected rows, each device once, in list order; all rows when
    // `allWhenNone` and nothing is selected.
    std::vector<_CONFIGPARAM> SelectedDevices(bool allWhenNone) const;
    // Reads every device of the plan off the UI thread and builds its preview; false when the
    // operator cancelled.
    bool Preview(FleetPlan& plan, const QString& what);
    // Shows the preview and writes the ticked devices.
    void PreviewAndWrite(FleetPlan& plan, const QString& title);
    void Write(FleetPlan& plan, const CChangePreviewDlg& dlg, const QString& command);

    QWidget* m_window;
    CConfigurationListCtrl* m_devices;
    Reporter m_report;
    FilesChooser m_chooseFiles;
    std::filesystem::path m_backupDir;
    int m_jobs;
};

}  // namespace varlo::ui
