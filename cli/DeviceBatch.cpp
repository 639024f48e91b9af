#include "cli/DeviceBatch.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define VARLO_ISATTY _isatty
#define VARLO_FILENO _fileno
#else
#include <unistd.h>
#define VARLO_ISATTY isatty
#define VARLO_FILENO fileno
#endif

namespace varlo::cli {

namespace {
constexpr int kBarWidth = 30;
}

BatchConsole::BatchConsole(std::size_t devices)
    : m_devices(devices), m_bar(devices > 1 && VARLO_ISATTY(VARLO_FILENO(stderr)) != 0) {
    std::lock_guard lock(m_mutex);
    DrawBar();
}

BatchConsole::~BatchConsole() {
    std::lock_guard lock(m_mutex);
    ClearBar();
}

void BatchConsole::Print(const std::string& lines) {
    std::lock_guard lock(m_mutex);
    ClearBar();
    std::fputs(lines.c_str(), stdout);
    std::fflush(stdout);
    DrawBar();
}

void BatchConsole::Done(const std::string& outcome) {
    std::lock_guard lock(m_mutex);
    ++m_done;
    ++m_outcomes[outcome];
    DrawBar();
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

void RunOnDevices(std::size_t count, int jobs, const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t i; (i = next++) < count;) {
            work(i);
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(count, static_cast<std::size_t>(std::clamp(jobs, 1, kMaxJobs)));
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) {
        pool.emplace_back(worker);
    }
    worker();
    for (std::thread& t : pool) {
        t.join();
    }
}

}  // namespace varlo::cli
