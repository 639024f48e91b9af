#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "cli/ConsolePlatform.h"

namespace varlo::cli {

void InstallInterruptHandling(void (*onInterrupt)(int status)) {
    ::signal(SIGPIPE, SIG_IGN);
    // Blocked before any other thread starts, so every thread inherits the mask and only the
    // waiting thread below takes these signals: no code runs in a signal handler.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set, onInterrupt] {
        for (;;) {
            int signal = 0;
            if (sigwait(&set, &signal) == 0) {
                onInterrupt(128 + signal);
            }
        }
    }).detach();
}

bool StandardErrorIsTerminal() {
    return ::isatty(::fileno(stderr)) != 0;
}

void EndProcessNow(int status) {
    ::_exit(status);
}

}  // namespace varlo::cli
