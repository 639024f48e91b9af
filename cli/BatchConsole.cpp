#include "cli/BatchConsole.h"

#include <cerrno>
#include <cstdio>

#include "cli/ConsolePlatform.h"
#include "configfiles/BatchRun.h"
#include "discovery/DeviceFormat.h"

namespace varlo::cli {

namespace {
constexpr int kBarWidth = 30;
// As a shell reports a process ended by SIGPIPE.
constexpr int kClosedOutputStatus = 128 + 13;

// The batch interruptions go to; guarded so a batch cannot end while one is handled.
std::mutex g_targetMutex;
BatchConsole* g_target = nullptr;

void OnInterrupt(int status) {
    std::lock_guard lock(g_targetMutex);
    if (!g_target) {
        EndProcessNow(status);
    }
    g_target->Interrupted(status);
}
}  // namespace

void InstallInterrupts() {
    InstallInterruptHandling(OnInterrupt);
}

BatchConsole::BatchConsole(std::string command, std::size_t devices)
    : m_command(std::move(command)),
      m_devices(devices),
      m_bar(devices > 1 && StandardErrorIsTerminal()) {
    {
        std::lock_guard lock(m_mutex);
        DrawBar();
    }
    std::lock_guard lock(g_targetMutex);
    g_target = this;
}

BatchConsole::~BatchConsole() {
    {
        std::lock_guard lock(g_targetMutex);
        if (g_target == this) {
            g_target = nullptr;
        }
    }
    std::lock_guard lock(m_mutex);
    ClearBar();
}

void BatchConsole::Interrupted(int status) {
    if (!m_stop.exchange(true)) {
        m_stopStatus = status;
        std::lock_guard lock(m_mutex);
        ClearBar();
        std::fprintf(stderr,
                     "varlo-cli %s: interrupted: no further device is started; the devices "
                     "already started finish their writes (interrupt again to end at once)\n",
                     m_command.c_str());
        DrawBar();
        return;
    }
    // The second: at once, without waiting for a worker that is printing.
    std::lock_guard lock(m_writingMutex);
    std::string partial;
    for (const std::string& name : m_writing) {
        partial += "\n  " + name;
    }
    std::fprintf(stderr, "\nvarlo-cli %s: ended at once; %s\n", m_command.c_str(),
                 partial.empty() ? "no device was being written"
                                 : ("these devices may be partly written:" + partial).c_str());
    EndProcessNow(status);
}

void BatchConsole::Stop(int status) {
    if (!m_stop.exchange(true)) {
        m_stopStatus = status;
    }
}

std::optional<int> BatchConsole::StopStatus() const {
    if (!m_stop) {
        return std::nullopt;
    }
    return m_stopStatus.load();
}

void BatchConsole::Write(const std::string& lines) {
    if (!m_outputClosed) {
        errno = 0;
        const bool ok = std::fputs(lines.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
        if (ok) {
            return;
        }
        // A closed pipe (`| head -2`) or a full disk: the rest goes to standard error, and no
        // further device is started, since nobody may see what it would print.
        m_outputClosed = true;
        std::clearerr(stdout);
        if (!m_stop.exchange(true)) {
            m_stopStatus = kClosedOutputStatus;
            std::fprintf(stderr,
                         "varlo-cli %s: standard output is closed: no further device is "
                         "started; the rest goes here\n",
                         m_command.c_str());
        }
    }
    std::fputs(lines.c_str(), stderr);
    std::fflush(stderr);
}

void BatchConsole::Print(const std::string& lines) {
    std::lock_guard lock(m_mutex);
    ClearBar();
    Write(lines);
    DrawBar();
}

void BatchConsole::Report(const DeviceResult& result) {
    std::lock_guard lock(m_mutex);
    ClearBar();
    Write(result.lines);
    ++m_done;
    ++m_outcomes[result.outcome];
    m_backups += result.backup.empty() ? 0 : 1;
    DrawBar();
}

void BatchConsole::ReportMissing(const std::vector<MacBytes>& missing) {
    for (const MacBytes& mac : missing) {
        Report({"failed",
                FormatMacColon(mac) + ": FAILED: no device with this MAC answered the search\n",
                {}});
    }
}

void BatchConsole::Run(std::size_t count, int jobs,
                       const std::function<DeviceResult(std::size_t)>& work,
                       const std::function<std::string(std::size_t)>& names) {
    const std::size_t started = RunOnDevices(
        count, jobs, [&](std::size_t i) { Report(work(i)); }, &m_stop);
    for (std::size_t i = started; i < count; ++i) {
        Report({"not started", names(i) + ": not started (interrupted)\n", {}});
    }
}

std::function<void(const _CONFIGPARAM&, bool)> BatchConsole::WriteTracker() {
    return [this](const _CONFIGPARAM& device, bool writing) {
        std::lock_guard lock(m_writingMutex);
        if (writing) {
            m_writing.insert(DeviceName(device));
        } else {
            m_writing.erase(DeviceName(device));
        }
    };
}

int BatchConsole::Count(const std::string& outcome) const {
    std::lock_guard lock(m_mutex);
    const auto it = m_outcomes.find(outcome);
    return it == m_outcomes.end() ? 0 : it->second;
}

std::string BatchConsole::Tally() const {
    std::lock_guard lock(m_mutex);
    std::string out = std::to_string(m_devices) + " device(s)";
    const char* separator = ": ";
    for (const auto& [outcome, count] : m_outcomes) {
        out += separator + std::to_string(count) + " " + outcome;
        separator = ", ";
    }
    return out;
}

void BatchConsole::Summary(const std::filesystem::path& backupDir) {
    std::string line = m_command + ": " + Tally();
    std::unique_lock lock(m_mutex);
    const bool backups = m_backups > 0;
    lock.unlock();
    if (backups) {
        line += "; backups in " + backupDir.string();
    }
    if (m_stop) {
        line += "; interrupted";
    }
    Print(line + "\n");
}

int BatchConsole::ExitStatus() const {
    if (const std::optional<int> status = StopStatus()) {
        return *status;
    }
    return Count("failed") + Count("busy") > 0 ? 1 : 0;
}

void BatchConsole::DrawBar() {
    if (!m_bar) {
        return;
    }
    const std::size_t filled = m_devices ? m_done * kBarWidth / m_devices : kBarWidth;
    std::fprintf(stderr, "\r[%s%s] %zu/%zu", std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, '.').c_str(), m_done, m_devices);
    std::fflush(stderr);
}

void BatchConsole::ClearBar() {
    if (m_bar) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

}  // namespace varlo::cli
