#include "device/CommPortLink.h"

#include <algorithm>
#include <climits>

#include "device/LinkPortError.h"
#include "serial/EComm32Error.h"

namespace vantrel {

CommPortLink::CommPortLink(TKxCommDevice& commPort, bool syncEvents) : commPort_(commPort) {
    commPort_.fSetPort(5);
    commPort_.fSetPortName("COM5");
    commPort_.fSetBaud(br9600);
    commPort_.fSetDataOnly(true);
    commPort_.fSetSyncEvents(syncEvents);
}

void CommPortLink::SetPortName(const std::string& name) {
    commPort_.fSetPortName(name);
}

void CommPortLink::SetBaud(LinkBaud baud) {
    commPort_.fSetBaud(baud == LinkBaud::Baud115200 ? br115200 : br9600);
}

void CommPortLink::SetActive(bool active) {
    try {
        commPort_.fSetActive(active);
    } catch (const EComm32Error& error) {
        std::string message = error.what();
        const std::string advice = error.OpenFailureAdvice();
        if (!advice.empty()) message += "\n" + advice;
        throw LinkPortError(PortFailureOf(error.SystemError()), message);
    }
}

bool CommPortLink::Active() const {
    return commPort_.fGetActive();
}

bool CommPortLink::Lost() const {
    return commPort_.fGetActive() && commPort_.fGetHungUp();
}

long CommPortLink::Write(const std::uint8_t* bytes, std::size_t count) {
    return commPort_.Write(bytes, static_cast<long>(std::min<std::size_t>(count, LONG_MAX)));
}

std::size_t CommPortLink::Read(std::uint8_t* bytes, std::size_t count) {
    long got = commPort_.Read(bytes, static_cast<long>(std::min<std::size_t>(count, LONG_MAX)));
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

void CommPortLink::PurgeRead(bool abort) {
    commPort_.PurgeRead(abort);
}

}  // namespace vantrel
