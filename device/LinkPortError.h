#pragma once
// A port that cannot be opened, told in words the user can act on: the port
// is missing, the user may not use it, or another program holds it.

#include <stdexcept>
#include <string>
#include <string_view>

namespace vantrel {

enum class PortFailure { NoSuchPort, PermissionDenied, Busy, Other };

class LinkPortError : public std::runtime_error {
  public:
    LinkPortError(PortFailure failure, const std::string& message)
        : std::runtime_error(message), failure_(failure) {}

    PortFailure Failure() const { return failure_; }

    // Builds the error for an open of `port` that failed with `error` (an
    // errno value). A permission failure names the group that owns the port.
    static LinkPortError FromErrno(int error, std::string_view port);

  private:
    PortFailure failure_;
};

// The kind of failure an errno value from opening or locking a port means.
PortFailure PortFailureOf(int error);

}  // namespace vantrel
