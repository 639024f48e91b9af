#pragma once
// Runs one piece of work per device on a few worker threads, so that the window stays responsive
// while tens or thousands of devices are read or written. Each exchange owns its socket and the
// process-wide settings are only read meanwhile, so devices can be worked on side by side; the
// work must not touch widgets or the device table (it gets copies of the records).
//
// Cancel never cuts a device short: a device whose work has started finishes its reads, its
// writes and its finish command, and only devices not yet started are left out. A device written
// half-way would hold a configuration no dialog can produce.
#include <QObject>
#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace varlo::ui {

class CDeviceWorkRunner : public QObject {
    Q_OBJECT
public:
    // Enough to hide the 3 s of an unanswered exchange behind the others without flooding a
    // segment with broadcasts (as varlo-cli does).
    static constexpr int kDefaultJobs = 16;

    explicit CDeviceWorkRunner(QObject* parent = nullptr);
    ~CDeviceWorkRunner() override;

    // Runs work(i) for i below count on at most `jobs` threads, none of them the UI thread.
    // work(i) may only touch what belongs to device i. Returns at once; deviceDone and finished
    // arrive on the UI thread.
    void Start(std::size_t count, int jobs, std::function<void(std::size_t)> work);
    // No device starts after this; those already started run to their end.
    void RequestCancel() { m_cancel = true; }
    bool CancelRequested() const { return m_cancel; }
    bool Running() const { return m_running; }

    std::size_t Count() const { return m_count; }
    std::size_t DoneCount() const { return m_done; }
    // Devices whose work began and has not yet ended.
    std::size_t InProgressCount() const { return m_started - m_done; }
    // True when device i was never started (left out by Cancel). Valid after finished.
    bool Skipped(std::size_t i) const { return !m_startedFlags.at(i); }

    // The number of threads used when none is given: VARLO_JOBS overrides the default, so that
    // tests on a virtual clock can run one device at a time.
    static int DefaultJobs();

signals:
    void deviceDone(std::size_t i);
    void finished();

private:
    void Worker();
    void WorkerEnded();

    std::function<void(std::size_t)> m_work;
    std::size_t m_count = 0;
    std::atomic<std::size_t> m_next{0};
    std::atomic<std::size_t> m_started{0};
    std::atomic<std::size_t> m_done{0};
    std::atomic<bool> m_cancel{false};
    bool m_running = false;
    std::vector<char> m_startedFlags;  // written by the one worker that takes the device
    std::vector<std::thread> m_threads;
    std::atomic<int> m_liveWorkers{0};
};

}  // namespace varlo::ui
