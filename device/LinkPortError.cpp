#include "device/LinkPortError.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vantrel {

namespace {

// The name of the group that owns the port, or an empty text.
std::string OwningGroup(const std::string& port) {
    struct stat info {};
    if (stat(port.c_str(), &info) != 0) return {};
    struct group entry {};
    struct group* found = nullptr;
    std::vector<char> buffer(16384);
    if (getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return found->gr_name;
}

std::string PermissionText(const std::string& port) {
    const std::string group = OwningGroup(port);
    if (group.empty())
        return "Permission denied on " + port +
               ": your user may not use this port. Ask for access to it and try again.";
    return "Permission denied on " + port + ": your user is not in the group \"" + group +
           "\" that owns the port. Add it with \"sudo usermod -aG " + group +
           " $USER\", log in again and try again.";
}

}  // namespace

PortFailure PortFailureOf(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            return PortFailure::NoSuchPort;
        case EACCES:
        case EPERM:
            return PortFailure::PermissionDenied;
        case EBUSY:
        case EWOULDBLOCK:
            return PortFailure::Busy;
        default:
            return PortFailure::Other;
    }
}

LinkPortError LinkPortError::FromErrno(int error, std::string_view portName) {
    const std::string port(portName);
    const PortFailure failure = PortFailureOf(error);
    switch (failure) {
        case PortFailure::NoSuchPort:
            return {failure, "The port " + port +
                                 " does not exist: check that the Vantrel is plugged in and "
                                 "switched on, then try again."};
        case PortFailure::PermissionDenied:
            return {failure, PermissionText(port)};
        case PortFailure::Busy:
            return {failure, "The port " + port +
                                 " is busy: another program (such as a modem manager) holds "
                                 "it. Close that program and try again."};
        case PortFailure::Other:
            break;
    }
    return {failure, "Cannot open the port " + port + ": " + std::strerror(error) + "."};
}

}  // namespace vantrel
