#include "serial/CommErrno.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vantrel {

namespace {

// The name of the group that owns path, or its number, or "" when the file
// cannot be looked at.
std::string OwningGroup(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    std::vector<char> buffer(16384);
    struct group entry {};
    struct group* found = nullptr;
    if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->gr_name;
    return std::to_string(st.st_gid);
}

std::string PermissionAdvice(const std::string& path) {
    const std::string group = OwningGroup(path);
    if (group.empty())
        return "You may not use the serial port " + path +
               ". Ask the administrator for access to it.";
    return "You may not use the serial port " + path + ": it belongs to the group \"" + group +
           "\" and your user is not a member. Add your user to that group (for example: sudo "
           "usermod -a -G " +
           group + " $USER), then log out and log in again.";
}

}  // namespace

CommFailure ClassifyOpenErrno(int err) {
    switch (err) {
        case 0:
            return CommFailure::None;
        case EINTR:
            return CommFailure::Retry;
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            return CommFailure::NoSuchPort;
        case EACCES:
        case EPERM:
            return CommFailure::PermissionDenied;
        case EBUSY:
        case EWOULDBLOCK:
            return CommFailure::PortBusy;
        case ENOTTY:
        case EINVAL:
            return CommFailure::NotASerialPort;
        default:
            return CommFailure::Other;
    }
}

CommFailure ClassifyIoErrno(int err) {
    switch (err) {
        case 0:
            return CommFailure::None;
        case EINTR:
        case EAGAIN:
            return CommFailure::Retry;
        case EIO:
        case ENXIO:
        case ENODEV:
        case EPIPE:
        case EBADF:
            return CommFailure::DeviceGone;
        default:
            return CommFailure::Other;
    }
}

std::string OpenFailureAdvice(int err, const std::string& devicePath, const std::string& holder) {
    switch (ClassifyOpenErrno(err)) {
        case CommFailure::None:
            return {};
        case CommFailure::NoSuchPort:
            return "There is no serial port " + devicePath +
                   ". Check that the device is plugged in and switched on, or choose another "
                   "port.";
        case CommFailure::PermissionDenied:
            return PermissionAdvice(devicePath);
        case CommFailure::PortBusy:
            if (!holder.empty())
                return "The serial port " + devicePath + " is busy: " + holder +
                       " holds it. Close that program and try again.";
            return "The serial port " + devicePath +
                   " is busy: another program (a modem manager or a terminal program, for "
                   "example) holds it. Close that program and try again.";
        case CommFailure::NotASerialPort:
            return devicePath + " is not a serial port. Choose another port.";
        default:
            return "The serial port " + devicePath + " could not be used: " + std::strerror(err) +
                   ".";
    }
}

}  // namespace vantrel
