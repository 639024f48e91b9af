#pragma once
// Work on many devices at once: one piece of work per device on a few worker threads (each
// exchange owns its socket, and the process-wide settings and device table are only read while
// the workers run), each device's result printed whole as it finishes, a progress bar on
// standard error while that is a terminal, and the tally for the summary line.
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace varlo::cli {

// Enough to hide the 3 s of an unanswered exchange behind the others without flooding a segment
// with broadcasts.
inline constexpr int kDefaultJobs = 16;
inline constexpr int kMaxJobs = 256;

class BatchConsole {
public:
    explicit BatchConsole(std::size_t devices);
    ~BatchConsole();
    BatchConsole(const BatchConsole&) = delete;
    BatchConsole& operator=(const BatchConsole&) = delete;

    // Whole lines, each call in one piece.
    void Print(const std::string& lines);
    // One device finished with this outcome ("written", "unchanged", "failed", ...).
    void Done(const std::string& outcome);
    int Count(const std::string& outcome) const;
    // "3 device(s): 2 written, 1 failed"
    std::string Tally() const;

private:
    void DrawBar();
    void ClearBar();

    mutable std::mutex m_mutex;
    std::size_t m_devices;
    std::size_t m_done = 0;
    bool m_bar;
    std::map<std::string, int> m_outcomes;
};

// Runs work(i) for every i below count on at most `jobs` threads (the calling thread included),
// and returns when all are done.
void RunOnDevices(std::size_t count, int jobs, const std::function<void(std::size_t)>& work);

}  // namespace varlo::cli
