#include "cli/Interrupts.h"

#include <pthread.h>

#include <ctime>

namespace vantrel::cli {

InterruptWatch::InterruptWatch() {
    sigemptyset(&watched_);
    sigaddset(&watched_, SIGINT);
    sigaddset(&watched_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &watched_, &previous_);
}

InterruptWatch::~InterruptWatch() {
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

int InterruptWatch::Take() {
    const timespec now{};
    const int signal = sigtimedwait(&watched_, nullptr, &now);
    return signal > 0 ? signal : 0;
}

}  // namespace vantrel::cli
