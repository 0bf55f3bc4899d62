#pragma once
// Only one copy of the program runs at a time: the first copy holds an
// exclusive flock on a lock file named after "Vantrel Ver1.2" in the user's
// runtime folder ($XDG_RUNTIME_DIR, or /tmp with the user id in the name).
// The lock goes with the process, so a crashed copy never blocks the next.

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view kInstanceName = "Vantrel Ver1.2";

// The name with every character other than letters, digits, '.', '-' and '_'
// replaced by '_' ("Vantrel Ver1.2" gives "Vantrel_Ver1.2").
std::string SanitisedLockName(std::string_view name);

// The lock file for the given environment value (may be null).
std::filesystem::path InstanceLockPathFor(const char* xdgRuntimeDir, std::string_view name);
std::filesystem::path DefaultInstanceLockPath();

class InstanceLock {
  public:
    enum class State {
        Acquired,       // this is the only copy
        HeldElsewhere,  // another copy runs: end silently
        Unavailable,    // the lock file could not be opened: run unguarded
    };

    explicit InstanceLock(const std::filesystem::path& file);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State GetState() const { return state_; }
    // True unless another copy holds the lock.
    bool MayRun() const { return state_ != State::HeldElsewhere; }

  private:
    int fd_ = -1;
    State state_ = State::Unavailable;
};

}  // namespace vantrel
