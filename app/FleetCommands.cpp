#include "app/FleetCommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "app/BatchChangeDlg.h"
#include "app/ChangePreviewDlg.h"
#include "app/DeviceWorkRunner.h"
#include "app/ExportDlg.h"
#include "app/FleetProgressDlg.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceApply.h"
#include "configfiles/DeviceListCsv.h"
#include "configfiles/DeviceTargets.h"
#include "configfiles/FieldTable.h"
#include "configfiles/FieldValues.h"
#include "configfiles/RestoreBlocks.h"
#include "configfiles/SetFields.h"
#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceTable.h"
#include "transport/TransportSettings.h"
#include "widgets/VarloMessageBox.h"

namespace varlo::ui {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::filesystem::path PathOf(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

// "3 device(s): 2 written, 1 failed", as varlo-cli's summary lines.
QString Tally(const std::vector<std::string>& outcomes) {
    std::map<std::string, int> counts;
    for (const std::string& o : outcomes) {
        ++counts[o];
    }
    QString out = QStringLiteral("%1 device(s)").arg(outcomes.size());
    const char* separator = ": ";
    for (const auto& [outcome, count] : counts) {
        out += QLatin1String(separator) + QString::number(count) + QLatin1Char(' ') + Q(outcome);
        separator = ", ";
    }
    return out;
}

// The device work of a command, run under the progress dialog; false when cancelled.
bool RunDevices(QWidget* parent, const QString& what, std::size_t count, int jobs,
                const std::function<void(std::size_t)>& work, std::vector<char>* started) {
    // Work on many devices takes a reply the moment it arrives, as varlo-cli does: with a whole
    // 100 ms step per exchange a thousand devices would take minutes. No dialog runs meanwhile
    // (the progress dialog is modal), and the dialogs get their own timing back afterwards.
    struct ReplyEndsStep {
        bool saved = Transport().replyEndsStep;
        ReplyEndsStep() { Transport().replyEndsStep = true; }
        ~ReplyEndsStep() { Transport().replyEndsStep = saved; }
    } fast;
    CDeviceWorkRunner runner;
    runner.Start(count, jobs, work);
    CFleetProgressDlg progress(what, &runner, parent);
    const bool whole = progress.RunToEnd();
    if (started) {
        started->assign(count, 0);
        for (std::size_t i = 0; i < count; ++i) {
            (*started)[i] = runner.Skipped(i) ? 0 : 1;
        }
    }
    return whole;
}

}  // namespace

// One device's part of an Import or a Batch change, from what is known before the device is
// asked to what it answered to the write.
struct FleetItem {
    std::optional<_CONFIGPARAM> device;
    QString source;  // the file, for Import
    QString reason;  // known before any device is asked: it cannot be written
    BlockBuilder build;
    // A clone: the plan with the target's own name and addresses kept, and the one with the
    // file's.
    bool clone = false;
    BlockBuilder buildWithAddresses;
    // What the preview read (the write reads the device again and compares) and planned.
    std::optional<ConfigSession> session;
    std::string error;  // the device's reads failed, or it refused the change
    bool skipped = false;
    DevicePlan plan;
    DevicePlan planWithAddresses;
    DeviceResult result;

    const DevicePlan& Shown(bool withAddresses) const {
        return clone && withAddresses ? planWithAddresses : plan;
    }
};

struct FleetPlan {
    QString command;  // "import", "batch change": the head of the summary line
    std::vector<FleetItem> items;
    // Import loads its files on the workers; item i's file, when item i came from one.
    std::vector<std::unique_ptr<ConfigFile>> files;
    std::function<void(std::size_t)> prepare;  // run on a worker before the preview, or empty
    std::function<void()> afterPreview;        // run on the UI thread once all are read
};

CFleetCommands::CFleetCommands(QWidget* window, CConfigurationListCtrl* devices, Reporter report,
                               QObject* parent)
    : QObject(parent),
      m_window(window),
      m_devices(devices),
      m_report(std::move(report)),
      m_backupDir(DefaultBackupDir()),
      m_jobs(CDeviceWorkRunner::DefaultJobs()) {
    m_chooseFiles = [](QWidget* parent) {
        return QFileDialog::getOpenFileNames(parent, QStringLiteral("Import"), QString(),
                                             QStringLiteral("Configuration files (*.json);;"
                                                            "All files (*)"));
    };
}

CFleetCommands::~CFleetCommands() = default;

std::vector<_CONFIGPARAM> CFleetCommands::SelectedDevices(bool allWhenNone) const {
    QList<int> rows = m_devices->SelectedRows();
    if (rows.isEmpty() && allWhenNone) {
        for (int r = 0; r < m_devices->RowCount(); ++r) {
            rows.append(r);
        }
    }
    std::vector<_CONFIGPARAM> out;
    std::set<DeviceIdentity> seen;
    for (const int r : rows) {
        // A device that answered twice is one device.
        if (r >= 0 && static_cast<std::size_t>(r) < g_arrConfigParam.GetSize() &&
            seen.insert(g_arrConfigParam[static_cast<std::size_t>(r)].Identity()).second) {
            out.push_back(g_arrConfigParam[static_cast<std::size_t>(r)]);
        }
    }
    return out;
}

void CFleetCommands::OnClearAllDevices() {
    if (m_devices->RowCount() > 0) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Varlo"),
                        QStringLiteral("Remove all %1 device(s) from the list? The devices "
                                       "themselves are not changed; a new search finds them again.")
                            .arg(m_devices->RowCount()),
                        QMessageBox::Yes | QMessageBox::No, m_window);
        box.setObjectName(QStringLiteral("ClearAllQuestion"));
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes) {
            emit commandDone();
            return;
        }
    }
    g_arrConfigParam.RemoveAll();
    g_nCurDevice = 0;  // as at start-up
    m_devices->RefreshDeviceList();
    emit commandDone();
}

void CFleetCommands::OnExport() {
    const std::vector<_CONFIGPARAM> devices = SelectedDevices(true);
    if (devices.empty()) {
        emit commandDone();
        return;
    }
    CExportDlg dlg(static_cast<int>(devices.size()), m_window);
    if (dlg.exec() != QDialog::Accepted) {
        emit commandDone();
        return;
    }
    const std::filesystem::path dir = PathOf(dlg.Folder());
    const bool noSecrets = dlg.NoSecrets();
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir, ec)) {
        VarloMessageBox(
            m_window,
            QStringLiteral("Cannot create the folder %1: %2").arg(dlg.Folder(), Q(ec.message())));
        emit commandDone();
        return;
    }

    std::vector<DeviceResult> results(devices.size());
    // Each device's line of the list, read on the workers.
    std::vector<DeviceListRow> rows(devices.size());
    std::vector<char> started;
    RunDevices(
        m_window, QStringLiteral("Exporting"), devices.size(), m_jobs,
        [&](std::size_t i) {
            const _CONFIGPARAM& record = devices[i];
            results[i] = SaveDeviceFile(record, dir / DeviceFileName(record), !noSecrets);
            rows[i] = ReadDeviceListRow(record);
        },
        &started);

    QString text;
    std::vector<std::string> outcomes;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (!started[i]) {
            text += Q(DeviceName(devices[i])) + QStringLiteral(": not started (cancelled)\n");
            outcomes.push_back("not started");
        } else {
            text += Q(results[i].lines);
            outcomes.push_back(results[i].outcome);
        }
        if (!started[i]) {
            // Not asked: what the search told.
            rows[i] = {ModelNameOf(devices[i].dwType()),
                       FormatMacColon(devices[i].byMac()),
                       FormatIp(devices[i].dwIp()),
                       {},
                       {}};
        }
    }
    const std::filesystem::path csvPath = dir / "devices.csv";
    std::string error;
    if (!SaveTextFile(csvPath, DeviceListCsv(rows), &error)) {
        text += QStringLiteral("device list: FAILED: %1\n").arg(Q(error));
    } else {
        text += QStringLiteral("device list: saved %1\n").arg(Q(csvPath.string()));
    }
    text += QStringLiteral("export: %1\n").arg(Tally(outcomes));
    m_report(text);
    emit commandDone();
}

bool CFleetCommands::Preview(FleetPlan& plan, const QString& what) {
    return RunDevices(
        m_window, what, plan.items.size(), m_jobs,
        [&plan](std::size_t i) {
            if (plan.prepare) {
                plan.prepare(i);
            }
            FleetItem& item = plan.items[i];
            if (!item.reason.isEmpty() || !item.device) {
                return;
            }
            const uint32_t type = item.device->dwType();
            item.session.emplace(SessionModelOf(type), item.device->Identity());
            if (const std::optional<std::string> failed = ReadAll(*item.session)) {
                item.error = *failed;
                return;
            }
            if (!PlanChanges(type, *item.session, item.build, &item.plan)) {
                item.error = item.plan.built.error;
                item.skipped = item.plan.built.skip;
                return;
            }
            if (item.clone && !PlanChanges(type, *item.session, item.buildWithAddresses,
                                           &item.planWithAddresses)) {
                item.error = item.planWithAddresses.built.error;
            }
        },
        nullptr);
}

namespace {
PreviewEntry EntryOf(const FleetItem& item, bool withAddresses) {
    PreviewEntry entry;
    entry.device = item.device ? Q(DeviceName(*item.device)) : item.source;
    entry.source = item.device && !item.source.isEmpty() ? item.source : QString();
    const DevicePlan& plan = item.Shown(withAddresses);
    entry.reason = !item.reason.isEmpty() ? item.reason
                   : item.skipped         ? QStringLiteral("skipped: ") + Q(item.error)
                                          : Q(item.error);
    if (entry.reason.isEmpty()) {
        for (const FieldChange& c : plan.changes) {
            entry.changes.append({Q(c.path), Q(c.before), Q(c.after)});
        }
        for (const std::string& note : plan.built.notes) {
            entry.notes.append(Q(note));
        }
    }
    return entry;
}
}  // namespace

void CFleetCommands::PreviewAndWrite(FleetPlan& plan, const QString& title) {
    if (!Preview(plan, QStringLiteral("Reading the devices for the preview"))) {
        m_report(QStringLiteral("%1: cancelled while reading the devices; nothing written\n")
                     .arg(plan.command));
        return;
    }
    if (plan.afterPreview) {
        plan.afterPreview();
    }
    bool clone = false;
    for (const FleetItem& item : plan.items) {
        clone = clone || item.clone;
    }
    const QString note =
        QStringLiteral(
            "Nothing is written until you press Write, and then only to the ticked "
            "devices, each backed up first to %1.")
            .arg(Q(m_backupDir.string()));
    CChangePreviewDlg dlg(title, note, clone, m_window);
    QList<PreviewEntry> entries;
    for (const FleetItem& item : plan.items) {
        entries.append(EntryOf(item, false));
    }
    dlg.SetEntries(entries);
    connect(&dlg, &CChangePreviewDlg::withAddressesChanged, &dlg, [&](bool on) {
        for (std::size_t i = 0; i < plan.items.size(); ++i) {
            if (plan.items[i].clone) {
                dlg.ReplaceEntry(static_cast<int>(i), EntryOf(plan.items[i], on));
            }
        }
    });
    if (dlg.exec() != QDialog::Accepted || dlg.TickedCount() == 0) {
        m_report(
            QStringLiteral("%1: nothing written (the preview was closed)\n").arg(plan.command));
        return;
    }
    Write(plan, dlg, plan.command);
}

void CFleetCommands::Write(FleetPlan& plan, const CChangePreviewDlg& dlg, const QString& command) {
    std::error_code ec;
    if (m_backupDir.empty() || (std::filesystem::create_directories(m_backupDir, ec), ec) ||
        !std::filesystem::is_directory(m_backupDir, ec)) {
        VarloMessageBox(m_window,
                        QStringLiteral("Cannot create the backup folder %1%2; nothing written.")
                            .arg(Q(m_backupDir.string()),
                                 ec ? QStringLiteral(": ") + Q(ec.message()) : QString()));
        return;
    }
    const bool withAddresses = dlg.WithAddresses();
    std::vector<std::size_t> ticked;
    for (std::size_t i = 0; i < plan.items.size(); ++i) {
        if (dlg.Ticked(static_cast<int>(i))) {
            ticked.push_back(i);
        }
    }
    ApplyOptions options;
    options.backupDir = m_backupDir;
    std::vector<char> started;
    RunDevices(
        m_window, QStringLiteral("Writing"), ticked.size(), m_jobs,
        [&](std::size_t k) {
            FleetItem& item = plan.items[ticked[k]];
            item.result =
                WritePlanned(*item.device, *item.session, item.Shown(withAddresses), options);
        },
        &started);

    QString text;
    std::vector<std::string> outcomes;
    for (std::size_t k = 0; k < ticked.size(); ++k) {
        const FleetItem& item = plan.items[ticked[k]];
        if (!started[k]) {
            text += Q(DeviceName(*item.device)) +
                    QStringLiteral(": not started (cancelled); nothing written\n");
            outcomes.push_back("not started");
        } else {
            text += Q(item.result.lines);
            outcomes.push_back(item.result.outcome);
        }
    }
    text += QStringLiteral("%1: %2").arg(command, Tally(outcomes));
    if (std::count(outcomes.begin(), outcomes.end(), "written") > 0) {
        text += QStringLiteral("; backups in %1").arg(Q(m_backupDir.string()));
    }
    m_report(text + QLatin1Char('\n'));
}

void CFleetCommands::OnImport() {
    const QStringList names = m_chooseFiles(m_window);
    if (names.isEmpty()) {
        emit commandDone();
        return;
    }
    const std::vector<_CONFIGPARAM> selected = SelectedDevices(false);
    // The devices a file may go to, by MAC: the first record of each, as Config on its row.
    auto byMac = std::make_shared<std::map<MacBytes, _CONFIGPARAM>>();
    for (std::size_t r = 0; r < g_arrConfigParam.GetSize(); ++r) {
        byMac->emplace(g_arrConfigParam[r].byMac(), g_arrConfigParam[r]);
    }
    // One file and one selected device: a clone when the device is another of the same model.
    const std::optional<_CONFIGPARAM> cloneTarget =
        names.size() == 1 && selected.size() == 1 ? std::optional(selected[0]) : std::nullopt;

    FleetPlan plan;
    plan.command = QStringLiteral("import");
    plan.items.resize(static_cast<std::size_t>(names.size()));
    plan.files.resize(plan.items.size());
    std::vector<std::filesystem::path> paths;
    for (std::size_t i = 0; i < plan.items.size(); ++i) {
        paths.push_back(PathOf(names[static_cast<int>(i)]));
        plan.items[i].source = QFileInfo(names[static_cast<int>(i)]).fileName();
    }
    plan.prepare = [&plan, &paths, byMac, cloneTarget](std::size_t i) {
        FleetItem& item = plan.items[i];
        auto file = std::make_unique<ConfigFile>();
        std::string error;
        if (!LoadConfigFile(paths[i], file.get(), &error)) {
            item.reason = Q(error);
            return;
        }
        const ConfigFile& f = *file;
        plan.files[i] = std::move(file);
        const auto own = byMac->find(f.record.byMac());
        const bool clone = cloneTarget && cloneTarget->dwType() == f.Type() &&
                           cloneTarget->byMac() != f.record.byMac();
        if (clone) {
            item.device = *cloneTarget;
            item.clone = true;
        } else if (own != byMac->end()) {
            item.device = own->second;
        } else {
            item.reason = QStringLiteral("holds the %1 %2, which is not in the device list")
                              .arg(Q(ModelNameOf(f.Type())), Q(FormatMacColon(f.record.byMac())));
            if (cloneTarget && cloneTarget->dwType() != f.Type()) {
                item.reason += QStringLiteral(", and the selected device is a %1")
                                   .arg(Q(ModelNameOf(cloneTarget->dwType())));
            }
            return;
        }
        // The model check the command line makes: a file goes only onto a device of its type.
        std::string mismatch;
        if (!ModelMatches(f, paths[i].filename().string(), *item.device, &mismatch)) {
            item.reason = Q(mismatch);
            return;
        }
        const ConfigFile* kept = plan.files[i].get();
        item.build = [kept, clone](const ConfigSession& session, BuiltBlocks* out) {
            RestoreOptions options;
            options.keepOwn = clone;
            return BuildRestoreBlocks(*kept, options, session, out);
        };
        item.buildWithAddresses = [kept](const ConfigSession& session, BuiltBlocks* out) {
            return BuildRestoreBlocks(*kept, RestoreOptions{}, session, out);
        };
    };
    // Two files for one device: which one the operator meant is not for the window to guess.
    auto markDuplicates = [&plan] {
        std::map<DeviceIdentity, int> count;
        for (const FleetItem& item : plan.items) {
            if (item.device && item.reason.isEmpty()) {
                ++count[item.device->Identity()];
            }
        }
        for (FleetItem& item : plan.items) {
            if (item.device && item.reason.isEmpty() && count[item.device->Identity()] > 1) {
                item.reason = QStringLiteral("another chosen file is for this device too");
            }
        }
    };
    plan.afterPreview = markDuplicates;
    PreviewAndWrite(plan, QStringLiteral("Import: preview"));
    emit commandDone();
}

void CFleetCommands::OnBatchChange() {
    const std::vector<_CONFIGPARAM> devices = SelectedDevices(false);
    if (devices.empty()) {
        emit commandDone();
        return;
    }
    // The fields an operator may change in any of the selected models, each under the path
    // that names it in every model that has it; how many of the devices have it.
    std::map<uint32_t, int> models;
    for (const _CONFIGPARAM& d : devices) {
        ++models[d.dwType()];
    }
    QList<BatchField> fields;
    std::map<std::string, int> indexOf;
    for (const auto& [type, count] : models) {
        const ModelFields& model = FieldsOf(type);
        for (const BlockFields& b : model.blocks) {
            for (const FieldSpec& f : b.fields) {
                if (!f.editable) {
                    continue;
                }
                std::string error;
                const FieldRef shortRef = FindEditableField(model, f.path, &error);
                const std::string path =
                    shortRef && shortRef.field == &f ? f.path : b.label + "." + f.path;
                const auto [it, added] = indexOf.emplace(path, static_cast<int>(fields.size()));
                if (added) {
                    fields.append({Q(path), Q(DescribeField(f)),
                                   f.kind == FieldKind::Number || f.kind == FieldKind::Address, 0});
                }
                fields[it->second].devices += count;
            }
        }
    }
    QString modelsText;
    for (const auto& [type, count] : models) {
        modelsText += (modelsText.isEmpty() ? QString() : QStringLiteral(", ")) +
                      QStringLiteral("%1 %2").arg(count).arg(Q(ModelNameOf(type)));
    }
    const auto check = [models](const QString& path, const QString& value) -> QString {
        for (const auto& [type, count] : models) {
            std::string error;
            const FieldRef ref = FindEditableField(FieldsOf(type), path.toStdString(), &error);
            if (!ref) {
                continue;
            }
            Bytes scratch(ref.block->size, 0);
            if (!StoreValue(*ref.field, value.toStdString(), &scratch, &error)) {
                return QStringLiteral("%1 takes %2.").arg(path, Q(error));
            }
        }
        return {};
    };
    CBatchChangeDlg dlg(
        QStringLiteral("Change %1 selected device(s): %2.").arg(devices.size()).arg(modelsText),
        static_cast<int>(devices.size()), fields, check, m_window);
    if (dlg.exec() != QDialog::Accepted) {
        emit commandDone();
        return;
    }
    const std::string path = dlg.Field().toStdString();
    const std::string value = dlg.Value().toStdString();
    const bool numbering = dlg.Numbering();

    FleetPlan plan;
    plan.command = QStringLiteral("batch change");
    std::size_t k = 0;  // the count of a numbering: devices that have the field, in list order
    for (const _CONFIGPARAM& d : devices) {
        FleetItem item;
        item.device = d;
        if (!HasEditableField(d.dwType(), path)) {
            item.reason = QStringLiteral("skipped: a %1 has no field %2")
                              .arg(Q(ModelNameOf(d.dwType())), Q(path));
            plan.items.push_back(std::move(item));
            continue;
        }
        std::string v = value;
        std::string error;
        if (numbering && !NumberedValue(d.dwType(), {path, value}, k++, &v, &error)) {
            item.reason = Q(error);
            plan.items.push_back(std::move(item));
            continue;
        }
        const uint32_t type = d.dwType();
        const std::vector<Assignment> assignments = {{path, v}};
        item.build = [type, assignments](const ConfigSession& session, BuiltBlocks* out) {
            return BuildSetBlocks(type, assignments, session, out);
        };
        plan.items.push_back(std::move(item));
    }
    PreviewAndWrite(plan, QStringLiteral("Batch Change: preview"));
    emit commandDone();
}

}  // namespace varlo::ui
