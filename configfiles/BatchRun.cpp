#include "configfiles/BatchRun.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <vector>

namespace varlo {

std::size_t RunOnDevices(std::size_t count, int jobs, const std::function<void(std::size_t)>& work,
                         const std::atomic<bool>* stop,
                         const std::function<void(std::size_t done)>& progress) {
    // Taking the next index and looking at the stop flag under one lock keeps the started
    // devices a prefix of the list, so the caller can name the ones that never ran.
    std::mutex mutex;
    std::size_t next = 0;
    std::atomic<std::size_t> done{0};
    const auto take = [&](std::size_t* i) {
        std::lock_guard lock(mutex);
        if (next >= count || (stop && stop->load())) {
            return false;
        }
        *i = next++;
        return true;
    };
    const auto worker = [&] {
        for (std::size_t i = 0; take(&i);) {
            work(i);
            const std::size_t finished = ++done;
            if (progress) {
                progress(finished);
            }
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
    return next;
}

}  // namespace varlo
