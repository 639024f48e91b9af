#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "configfiles/FilePlatform.h"

namespace varlo {

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

std::optional<std::filesystem::path> PlatformDataFolder() {
    return std::nullopt;
}

DeviceLock::DeviceLock(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        m_error = "cannot create " + file.string() + ": " + std::strerror(errno);
        return;
    }
    // flock belongs to the open file, so two runs, or two opens in one run, exclude each other.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            m_state = State::Busy;
        } else {
            m_error = "cannot lock " + file.string() + ": " + std::strerror(error);
        }
        return;
    }
    m_handle = fd;
    m_state = State::Held;
}

DeviceLock::~DeviceLock() {
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));  // lets go of the lock
    }
}

}  // namespace varlo
