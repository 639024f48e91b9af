#pragma once
// Work on many devices at once: one piece of work per device on a few worker threads (each
// exchange owns its socket, and the process-wide settings and device table are only read while
// the workers run). A stop request (^C, a closed pipe, the window's Cancel) is looked at only
// between devices: a device once started runs to its end, its writes and the finish command
// after them, so no device is ever left half-written by a stop.
#include <atomic>
#include <cstddef>
#include <functional>

namespace varlo {

// Enough to hide the 3 s of an unanswered exchange behind the others without flooding a segment
// with broadcasts.
inline constexpr int kDefaultJobs = 16;
inline constexpr int kMaxJobs = 256;

// Runs work(i) for i = 0, 1, ... below count, in that order of starting, on at most `jobs`
// threads (the calling thread included), and returns when every started device is done. Once
// *stop is true no further device starts. After each device, progress(done) is called with the
// number finished so far (on the worker's thread; a window posts it to its own). Returns how many
// started: devices 0 to that number minus one ran, the rest did not.
//
// A window runs it on a thread of its own: work(i) calls ApplyToDevice, WritePlanned or
// SaveDeviceFile for device i, Cancel sets *stop, and the devices from the returned number on
// are reported as not started.
std::size_t RunOnDevices(std::size_t count, int jobs, const std::function<void(std::size_t)>& work,
                         const std::atomic<bool>* stop = nullptr,
                         const std::function<void(std::size_t done)>& progress = {});

}  // namespace varlo
