// DeviceLink, continued: what the link does as time passes, counted in ticks.
// While a download's first block is awaited, "C" is sent again every few
// seconds; a block whose bytes stop is asked for again with NAK, so a byte
// lost costs one block; an EOT is checked before it ends a download; and the
// reply or block awaited must become whole within a bound scaled to its
// length, however many bytes arrive meanwhile: a device that streams what
// the link cannot use ends the request as surely as one that falls silent.

#include <cstdio>
#include <optional>

#include "device/DeviceLink.h"
#include "device/LinkPort.h"

namespace vantrel {

namespace {

// What the link waits for in a state: its bytes on the line and their rate.
struct AwaitedUnit {
    std::size_t bytes;
    LinkBaud baud;
    const char* name;
};

std::optional<AwaitedUnit> Awaited(const LinkVariables& vars, const LineTimers& timers) {
    switch (vars.LinkState) {
        case kCommandMode:
            if (vars.ReplyLength <= 0 || !timers.awaitingReply) return std::nullopt;
            return AwaitedUnit{static_cast<std::size_t>(vars.ReplyLength), LinkBaud::Baud9600,
                               "reply"};
        case kBlockStart:
        case kBlockBody:
        case kEotCheck:
            return AwaitedUnit{kDownloadBlockLength, LinkBaud::Baud115200, "block"};
        case kBlockSend:
            // The block goes out before the device's answer can come.
            return AwaitedUnit{1 + kBlockFrameLength + 1, LinkBaud::Baud115200, "answer"};
        case kBlockClosing:
            return AwaitedUnit{2, LinkBaud::Baud115200, "answer"};
        default:
            return std::nullopt;
    }
}

std::string Seconds(int ticks) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", ticks * kTickMilliseconds / 1000.0);
    return text;
}

}  // namespace

void DeviceLink::RunTimers() {
    switch (vars_.LinkState) {
        case kBlockStart:
            if (timers_.awaitingFirst) TimeFirstBlock();
            break;
        case kBlockBody:
            if (timers_.quietTicks >= kBlockQuietTicks) BlockBrokeOff();
            break;
        case kEotCheck:
            TimeEot();
            break;
        default:
            break;
    }
    CheckProgress();
}

// A device that missed the "C" (or was not ready for it) is asked again.
void DeviceLink::TimeFirstBlock() {
    if (++timers_.startTicks < kCrcRepeatTicks) return;
    if (timers_.starts >= kMaxTries)
        return FailTransfer("the device did not start sending, though asked " +
                                std::to_string(kMaxTries) + " times",
                            true);
    WriteByte(kCrcStart);
    ++timers_.starts;
    timers_.startTicks = 0;
}

// The line fell quiet inside a block: a byte was lost. What arrived of the
// block is dropped and the block asked for again.
void DeviceLink::BlockBrokeOff() {
    PurgeReceived();
    vars_.LinkState = kBlockStart;
    vars_.ReplyLength = 0;
    if (Retry("block " + std::to_string(vars_.BlocksReceived + 1) + " broke off " +
              std::to_string(kMaxTries) + " times"))
        WriteByte(kNak);
}

// An EOT followed by quiet is answered with NAK; quiet after the NAK too
// means the device ended the download and does not repeat its EOT.
void DeviceLink::TimeEot() {
    if (!timers_.eotAnswered) {
        if (timers_.quietTicks < kEotSettleTicks) return;
        WriteByte(kNak);
        timers_.eotAnswered = true;
        timers_.quietTicks = 0;
        return;
    }
    if (timers_.quietTicks >= kEotConfirmTicks) EndDownload();
}

// Bytes that keep coming without making the awaited reply or block whole
// end the request once its bound has passed. A line that fell silent is the
// watchdog's (and the repeated "C"'s) to handle.
void DeviceLink::CheckProgress() {
    const auto unit = Awaited(vars_, timers_);
    if (!unit) {
        Progressed();
        return;
    }
    ++timers_.unitTicks;
    const int limit = ProgressLimitTicks(unit->bytes, static_cast<int>(unit->baud));
    if (timers_.unitTicks <= limit || timers_.unitBytes == 0 ||
        timers_.quietTicks >= kBlockQuietTicks)
        return;
    FailRequest("the device sent data the program could not use: " +
                std::to_string(timers_.unitBytes) + " bytes in " + Seconds(timers_.unitTicks) +
                " s without a whole " + unit->name);
}

// The awaited reply or block came (or the wait for the next one begins).
void DeviceLink::Progressed() {
    timers_.unitTicks = 0;
    timers_.unitBytes = 0;
}

}  // namespace vantrel
