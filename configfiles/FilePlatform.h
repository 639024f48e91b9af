#pragma once
// What configuration files need from the operating system, one source per platform
// (FilePlatform_posix.cpp, FilePlatform_win32.cpp), so the shared code holds no platform blocks.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace varlo {

// The local time of a moment (backup file names).
std::tm LocalTime(std::time_t when);

// The platform's own per-user data folder when it has one beyond $XDG_DATA_HOME and $HOME
// (%LOCALAPPDATA% on Windows).
std::optional<std::filesystem::path> PlatformDataFolder();

// One device held for the time of its work by a lock file in the backup folder: a second run
// (or a window) that reaches the same device finds it busy instead of writing over it. The
// operating system lets go of the lock when the process ends, however it ends, so a run that
// was killed leaves no stale lock behind; the file itself stays, empty.
class DeviceLock {
public:
    enum class State { Held, Busy, Failed };

    explicit DeviceLock(const std::filesystem::path& file);
    ~DeviceLock();
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

    State Status() const { return m_state; }
    // Why it failed, with the system's reason.
    const std::string& Error() const { return m_error; }

private:
    State m_state = State::Failed;
    std::string m_error;
    intptr_t m_handle = -1;
};

}  // namespace varlo
