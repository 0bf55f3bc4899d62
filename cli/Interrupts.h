#pragma once
// SIGINT and SIGTERM held back while a device command runs, so that the
// command, not the default action, decides what they do: the transfer is
// cancelled on the line, the port closed and its lock file removed, files
// are left as they were, and the command exits 130 or 143.

#include <csignal>

namespace vantrel::cli {

class InterruptWatch {
  public:
    // Blocks both signals in this thread and in every thread it starts from
    // now on; must come before the threads of the port are started.
    InterruptWatch();
    // Restores the signal mask: a signal taken by nobody acts as usual then.
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // The signal that arrived since the last call, taken; 0 when none did.
    int Take();

  private:
    sigset_t watched_{};
    sigset_t previous_{};
};

// The exit code of a command ended by `signal`: 128 + its number.
constexpr int InterruptedExitCode(int signal) {
    return 128 + signal;
}

}  // namespace vantrel::cli
