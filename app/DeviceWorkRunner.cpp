#include "app/DeviceWorkRunner.h"

#include <QMetaObject>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace varlo::ui {

CDeviceWorkRunner::CDeviceWorkRunner(QObject* parent) : QObject(parent) {}

CDeviceWorkRunner::~CDeviceWorkRunner() {
    // Closing the window mid-run: no new device starts, and the started ones end before the
    // work's captures go away.
    m_cancel = true;
    for (std::thread& t : m_threads) {
        if (t.joinable()) {
            t.join();
        }
    }
}

int CDeviceWorkRunner::DefaultJobs() {
    if (const char* text = std::getenv("VARLO_JOBS"); text && *text) {
        const int jobs = std::atoi(text);
        if (jobs > 0) {
            return std::min(jobs, 256);
        }
    }
    return kDefaultJobs;
}

void CDeviceWorkRunner::Start(std::size_t count, int jobs, std::function<void(std::size_t)> work) {
    for (std::thread& t : m_threads) {
        if (t.joinable()) {
            t.join();
        }
    }
    m_threads.clear();
    m_work = std::move(work);
    m_count = count;
    m_next = 0;
    m_started = 0;
    m_done = 0;
    m_cancel = false;
    m_startedFlags.assign(count, 0);
    m_running = true;
    const int threads = static_cast<int>(std::max<std::size_t>(
        1, std::min<std::size_t>(count, static_cast<std::size_t>(std::clamp(jobs, 1, 256)))));
    m_liveWorkers = threads;
    for (int t = 0; t < threads; ++t) {
        m_threads.emplace_back([this] { Worker(); });
    }
}

void CDeviceWorkRunner::Worker() {
    for (;;) {
        if (m_cancel) {
            break;
        }
        const std::size_t i = m_next++;
        if (i >= m_count) {
            break;
        }
        m_startedFlags[i] = 1;
        ++m_started;
        m_work(i);
        ++m_done;
        QMetaObject::invokeMethod(
            this, [this, i] { emit deviceDone(i); }, Qt::QueuedConnection);
    }
    if (--m_liveWorkers == 0) {
        QMetaObject::invokeMethod(
            this, [this] { WorkerEnded(); }, Qt::QueuedConnection);
    }
}

void CDeviceWorkRunner::WorkerEnded() {
    // Every worker has left its loop: the joins return at once.
    for (std::thread& t : m_threads) {
        if (t.joinable()) {
            t.join();
        }
    }
    m_threads.clear();
    m_running = false;
    emit finished();
}

}  // namespace varlo::ui
