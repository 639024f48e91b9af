#pragma once
// The console of a command that works on many devices: each device's result printed whole as it
// finishes, a progress bar on standard error while that is a terminal, the tally for the
// summary line, and what an interruption does. While a batch runs, the first ^C, SIGTERM or a
// closed standard output stops it from starting devices (the devices already started finish
// their writes and their finish command, and every device is reported, the ones never started
// included); a second ^C or SIGTERM ends the process at once and names the devices whose writes
// had begun, which may be partial. Outside a batch an interruption ends the process: nothing is
// being written then.
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "configfiles/BatchRun.h"
#include "configfiles/DeviceApply.h"
#include "discovery/DeviceTable.h"

namespace varlo::cli {

// Sets up the interruptions described above for the rest of the process (varlo-cli's main).
void InstallInterrupts();

class BatchConsole {
public:
    // `command` heads the summary and the messages ("restore").
    BatchConsole(std::string command, std::size_t devices);
    ~BatchConsole();
    BatchConsole(const BatchConsole&) = delete;
    BatchConsole& operator=(const BatchConsole&) = delete;

    // Whole lines, each call in one piece. Once standard output is closed they go to standard
    // error, and the batch stops.
    void Print(const std::string& lines);
    // One device finished: its lines printed and its outcome counted.
    void Report(const DeviceResult& result);
    // The MACs a search did not find, each a failed device.
    void ReportMissing(const std::vector<MacBytes>& missing);

    // Runs work(i) for the devices on `jobs` threads and reports each result, until the batch
    // is stopped; then reports every device never started (`names`: the device's line head).
    void Run(std::size_t count, int jobs, const std::function<DeviceResult(std::size_t)>& work,
             const std::function<std::string(std::size_t)>& names);
    // For ApplyOptions::onWrites: the devices whose writes are going out.
    std::function<void(const _CONFIGPARAM&, bool)> WriteTracker();

    // Stops the batch from starting devices; the process ends with `status`.
    void Stop(int status);
    // The status an interruption asked for, or nothing.
    std::optional<int> StopStatus() const;

    int Count(const std::string& outcome) const;
    // "3 device(s): 2 written, 1 failed"
    std::string Tally() const;
    // Prints "COMMAND: TALLY", with "; backups in DIR" when any backup was written.
    void Summary(const std::filesystem::path& backupDir = {});
    // The exit status: the interruption's, or 1 when a device failed, or 0.
    int ExitStatus() const;

    // An interruption (from the handling thread).
    void Interrupted(int status);

private:
    void Write(const std::string& lines);
    void DrawBar();
    void ClearBar();

    std::string m_command;
    mutable std::mutex m_mutex;
    std::size_t m_devices;
    std::size_t m_done = 0;
    std::size_t m_backups = 0;
    bool m_bar;
    bool m_outputClosed = false;
    std::map<std::string, int> m_outcomes;
    std::mutex m_writingMutex;  // never held while printing
    std::set<std::string> m_writing;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_stopStatus{0};
};

}  // namespace varlo::cli
