#pragma once
// What varlo-cli's console needs from the operating system, one source per platform
// (ConsolePlatform_posix.cpp, ConsolePlatform_win32.cpp), so the shared code holds no platform
// blocks.

namespace varlo::cli {

// From now on ^C and SIGTERM (the console's Ctrl+C, Ctrl+Break and close events on Windows)
// call onInterrupt on a thread of their own, where it may lock and print, with the exit status
// a shell expects (128 + the signal's number); the process is not ended by them. A write to a
// closed pipe fails with EPIPE instead of ending the process. Called once, before any other
// thread starts.
void InstallInterruptHandling(void (*onInterrupt)(int status));

bool StandardErrorIsTerminal();

// Ends the process at once, without running destructors or flushing buffers another thread may
// hold.
[[noreturn]] void EndProcessNow(int status);

}  // namespace varlo::cli
