// DeviceLink, continued: the reply reader. It moves what the port received into
// the ring and then, by LinkState, reads text replies and steps the block
// transfers for as long as there is something to take. It runs on each 20 ms
// tick and whenever the port reports received bytes. A watchdog, counted on
// ticks only, resets the link when nothing arrives for 300 ticks; the timed
// steps of DeviceLinkTimers.cpp run on ticks too.

#include <limits>

#include "device/DeviceLink.h"
#include "device/ReplyText.h"
#include "device/SettingsReplies.h"

namespace vantrel {

void DeviceLink::Tick() {
    RunReader(true);
}

void DeviceLink::Receive() {
    RunReader(false);
}

// A pass that shows a message may run the window's event loop, whose timer
// or port notification would start another pass in the middle of this one:
// such passes are skipped (the next tick reads what they would have read).
void DeviceLink::RunReader(bool tick) {
    if (reading_) return;
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(reading_);
    onTick_ = tick;
    try {
        if (PortLost()) return;
        if (tick)
            ReadTick();
        else
            ReadReceived();
    } catch (const LinkPortError& error) {
        AbandonLink(error.what());
    }
}

void DeviceLink::ReadTick() {
    ++timers_.quietTicks;
    FillRing();
    if (ring_.RxCount() == 0) {
        CountDown();
    } else {
        auto& bar = status_.progress;
        bar.Position = (bar.Position + 1) % kProgressSteps;
        StepStates();
    }
    RunTimers();
}

// Everything the port holds is read now, a chunk at a time, each chunk
// stepped through before the next is taken.
void DeviceLink::ReadReceived() {
    while (FillRing() > 0)
        StepStates();
}

// Steps for as long as a step takes bytes or changes the state: a block's
// start, its body and the bytes after it are read as they come.
void DeviceLink::StepStates() {
    while (ring_.RxCount() > 0) {
        const int state = vars_.LinkState;
        const std::size_t waiting = ring_.RxCount();
        Step();
        if (vars_.LinkState == state && ring_.RxCount() == waiting) return;
    }
}

void DeviceLink::Step() {
    switch (vars_.LinkState) {
        case kCommandMode:
            ReadTextReplies();
            break;
        case kBlockStart:
            StepBlockStart();
            break;
        case kBlockBody:
            StepBlockBody();
            break;
        case kEotCheck:
            StepEotCheck();
            break;
        case kBlockSend:
            StepBlockSend();
            break;
        case kBlockClosing:
            StepBlockClosing();
            break;
        default:
            CountDown();
            break;
    }
}

// Takes at most one chunk from the port, and never more than the ring has
// room for: the excess waits in the port's queue. Returns the bytes taken.
std::size_t DeviceLink::FillRing() {
    if (!parts_.port.Active()) return 0;
    std::array<std::uint8_t, kReadChunk> chunk;
    const std::size_t room = std::min(chunk.size(), ring_.Space());
    if (room == 0) return 0;
    const std::size_t got = std::min(parts_.port.Read(chunk.data(), room), room);
    counters_.BytesRead += got;
    timers_.unitBytes += got;
    if (got > 0) timers_.quietTicks = 0;
    ring_.Append(chunk.data(), got);
    return got;
}

// One watchdog step: the link is reset when the count reaches exactly 0,
// which ends a transfer under way as failed. Once below 0 (a reset that
// found no device) it stays silent; it stops short of the int's lower limit.
// Only ticks count: bytes reported between them bring no reset nearer. While
// a download's first block is awaited the repeated "C"s bound the wait.
void DeviceLink::CountDown() {
    if (!onTick_) return;
    if (vars_.LinkState == kBlockStart && timers_.awaitingFirst) return;
    if (vars_.WatchdogTicks == std::numeric_limits<int>::min()) return;
    if (--vars_.WatchdogTicks != 0) return;
    ++counters_.WatchdogResets;
    if (transferRunning_)
        FailTransfer("the device stopped answering", false);
    else
        ResetLink();
}

std::uint8_t DeviceLink::TakeByte() {
    return ring_.TakeByte();
}

// State 0: bytes before a "$" are dropped; a reply is read once ReplyLength
// bytes wait, and replies are read until a parser takes one. A reply no
// parser takes gives up only its "$": a stray "$" before the real reply
// must not swallow the real one's.
void DeviceLink::ReadTextReplies() {
    if (vars_.ReplyLength == 0) return;
    auto waiting = [this] {
        return ring_.RxCount() >= static_cast<std::size_t>(vars_.ReplyLength);
    };
    while (vars_.ReplyLength > 0 && waiting()) {
        vars_.WatchdogTicks = kWatchdogStart;
        if (TakeByte() != '$') continue;
        const int rest = vars_.ReplyLength - 1;
        vars_.LastReply = PeekReplyText(ring_, rest, codePage_);
        status_.replyLog.push_back(vars_.LastReply);
        status_.replyText.Text = vars_.LastReply;
        if (DispatchReply(vars_.ReplyKind)) {
            ring_.Drop(static_cast<std::size_t>(rest));
            ++counters_.RepliesUnderstood;
            timers_.awaitingReply = false;
            Progressed();
            break;
        }
    }
    if (vars_.ReplyLength <= 0 || waiting()) return;
    CountDown();
}

bool DeviceLink::DispatchReply(int kind) {
    switch (kind) {
        case rkTrack:
        case rkPlan:
        case rkPoi:
            return AcceptDownload(vars_.LastReply);
        case rkGuider:
            return ParseGuiderSettings(status_.replyText.Text, status_);
        case rkLogger:
            return ParseLoggerSettings(status_.replyText.Text, status_);
        case rkPoiUpload:
        case rkPlanUpload:
            return AcceptUpload(vars_.LastReply);
        default:
            return false;
    }
}

// The device's "200" acknowledgement of a download: switch to the transfer
// rate and ask for blocks with CRC. The download starts from nothing, so a
// device that sends EOT at once hands over an empty transfer.
bool DeviceLink::AcceptDownload(std::string_view text) {
    if (!IsReplyOf(text, "200")) return false;
    vars_.ReplyLength = 0;
    vars_.BlocksReceived = 0;
    moving_.TransferLength = 0;
    EnterTransfer(text, 200);
    WriteByte(kCrcStart);
    vars_.LinkState = kBlockStart;
    timers_.awaitingFirst = true;
    timers_.starts = 1;
    timers_.startTicks = 0;
    return true;
}

// The device's "200" acknowledgement of an upload: switch to the transfer
// rate and wait for the device's NAK.
bool DeviceLink::AcceptUpload(std::string_view text) {
    if (!IsReplyOf(text, "200")) return false;
    vars_.BlocksSent = 0;
    EnterTransfer(text, 20);
    vars_.LinkState = kBlockSend;
    return true;
}

// Either acknowledgement: show its field, then move the line to the
// transfer rate, unread bytes dropped, and give the device `pauseMs` to
// follow before the first byte of the transfer.
void DeviceLink::EnterTransfer(std::string_view acknowledgement, int pauseMs) {
    status_.acknowledgement.Text = ReplyFields(acknowledgement, 1)[0];
    transferRunning_ = true;
    tries_ = 0;
    parts_.port.PurgeRead(false);
    parts_.port.SetBaud(LinkBaud::Baud115200);
    parts_.port.SetActive(true);
    parts_.clock.Sleep(pauseMs);
    Progressed();
}

}  // namespace vantrel
