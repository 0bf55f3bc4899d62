#include "device/LinkPortError.h"

#include "serial/CommErrno.h"

namespace vantrel {

PortFailure PortFailureOf(int error) {
    switch (ClassifyOpenErrno(error)) {
        case CommFailure::NoSuchPort:
            return PortFailure::NoSuchPort;
        case CommFailure::PermissionDenied:
            return PortFailure::PermissionDenied;
        case CommFailure::PortBusy:
            return PortFailure::Busy;
        default:
            return PortFailure::Other;
    }
}

LinkPortError LinkPortError::FromErrno(int error, std::string_view port) {
    return {PortFailureOf(error), OpenFailureAdvice(error, std::string(port))};
}

}  // namespace vantrel
