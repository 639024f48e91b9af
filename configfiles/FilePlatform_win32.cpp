#include <windows.h>

#include <cstdlib>
#include <system_error>

#include "configfiles/FilePlatform.h"

namespace varlo {

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_s(&local, &when);
    return local;
}

std::optional<std::filesystem::path> PlatformDataFolder() {
    if (const char* local = std::getenv("LOCALAPPDATA"); local && *local) {
        return std::filesystem::path(local);
    }
    return std::nullopt;
}

DeviceLock::DeviceLock(const std::filesystem::path& file) {
    // Opened without sharing: a second open fails with a sharing violation until this handle
    // closes, which the system does when the process ends.
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
            m_state = State::Busy;
        } else {
            m_error = "cannot create " + file.string() + ": " +
                      std::system_category().message(static_cast<int>(error));
        }
        return;
    }
    m_handle = reinterpret_cast<intptr_t>(h);
    m_state = State::Held;
}

DeviceLock::~DeviceLock() {
    if (m_state == State::Held) {
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    }
}

}  // namespace varlo
