#pragma once
// Every decision the serial library takes on an errno lives here: which
// failures mean "try again", which mean the device has gone away, and what
// a user can do about a port that would not open.

#include <string>

namespace vantrel {

enum class CommFailure {
    None,
    Retry,             // EINTR, EAGAIN: nothing is wrong, try again (or wait)
    NoSuchPort,        // ENOENT, ENODEV, ENXIO at open
    PermissionDenied,  // EACCES, EPERM
    PortBusy,          // EBUSY, EWOULDBLOCK from the exclusive lock
    NotASerialPort,    // ENOTTY, EINVAL on a terminal request
    DeviceGone,        // EIO, ENXIO, ENODEV, EPIPE on a port that was open
    Other,
};

// The kind of failure of opening a port by name.
CommFailure ClassifyOpenErrno(int err);
// The kind of failure of a read, write or request on an open port.
CommFailure ClassifyIoErrno(int err);

// Words a user can act on when opening devicePath failed with err: the port
// does not exist, the user is not in the group that owns it (named from the
// device file), another program holds it (named by `holder` when known,
// such as "minicom (pid 1234)"), or the system's own text.
std::string OpenFailureAdvice(int err, const std::string& devicePath,
                              const std::string& holder = {});

}  // namespace vantrel
