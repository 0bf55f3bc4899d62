// DeviceLink (DeviceLink.h): the command channel: finding the device, sending a
// sentence, the link reset that returns both sides to command mode, and how a
// transfer begins and ends.

#include "device/DeviceLink.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr std::string_view kErrorCaption = "Error";

}  // namespace

DeviceLink::DeviceLink(LinkParts parts) : parts_(parts), area_(parts.area) {}

LinkProgress DeviceLink::Progress() const {
    LinkProgress p = counters_;
    p.LinkState = vars_.LinkState;
    p.BlocksReceived = vars_.BlocksReceived;
    p.BlocksSent = vars_.BlocksSent;
    p.TransferLength = area_.TransferLength;
    if (!transferRunning_) return p;
    p.Uploading = UploadKind();
    if (p.Uploading) {
        p.UploadSize = moving_.TransferLength;
        p.TransferBytes = std::min<std::uint64_t>(vars_.BlocksSent * kBlockSize, p.UploadSize);
    } else {
        p.TransferBytes = static_cast<std::uint64_t>(vars_.BlocksReceived) * kBlockSize;
    }
    return p;
}

void DeviceLink::FindDevicePort() {
    // A device list that cannot be read keeps the name found before.
    const auto found = parts_.locator.DevicePort();
    if (!found) return;
    vars_.DevicePortName = *found;
    status_.portName.Text = *found;
}

bool DeviceLink::SendCommand(std::string_view sentence) {
    FindDevicePort();
    if (vars_.DevicePortName.empty()) {
        ShowError(kDeviceNotFoundText);
        return true;
    }
    parts_.port.SetPortName(vars_.DevicePortName);
    parts_.port.SetBaud(LinkBaud::Baud9600);
    parts_.port.SetActive(true);
    // Every sentence is plain ASCII, the same bytes in any 8-bit code page.
    WriteBytes(reinterpret_cast<const std::uint8_t*>(sentence.data()), sentence.size());
    return false;
}

void DeviceLink::ResetLink() {
    FindDevicePort();
    vars_.BlocksReceived = 0;
    if (vars_.DevicePortName.empty()) {
        parts_.port.SetActive(false);
        return;
    }
    try {
        // CAN at the transfer rate ends a block transfer the device may still
        // run; DC1 DC3 and the logger request at 9600 bring it to command mode.
        parts_.port.SetPortName(vars_.DevicePortName);
        ReopenAt(LinkBaud::Baud115200);
        WriteByte(kEsc);
        WriteByte(kCan);
        parts_.clock.Sleep(10);
        ReopenAt(LinkBaud::Baud9600);
        WriteByte(kDc1);
        WriteByte(kDc3);
        vars_.LinkState = kCommandMode;
        parts_.clock.Sleep(100);
        vars_.WatchdogTicks = kWatchdogStart;
        SendCommand(kResetSentence);
        parts_.port.SetActive(false);
    } catch (const LinkPortError& error) {
        AbandonLink(error.what());
        return;
    }
    status_.progress = {};
}

void DeviceLink::BeginTransfer(bool showProgress) {
    transferRunning_ = true;
    tries_ = 0;
    status_.progress.Visible = showProgress;
}

void DeviceLink::EndTransfer() {
    transferRunning_ = false;
    tries_ = 0;
    timers_ = {};
    status_.progress = {};
}

void DeviceLink::Cancel() {
    const bool awaited = transferRunning_ || timers_.awaitingReply;
    try {
        if (transferRunning_ && parts_.port.Active()) {
            const std::uint8_t cancelBytes[] = {kCan, kCan};
            WriteBytes(cancelBytes, sizeof cancelBytes);
        }
    } catch (const LinkPortError&) {
        // The reset below tries the port again.
    }
    if (transferRunning_) ++counters_.TransfersFailed;
    vars_.LinkState = kCommandMode;
    vars_.ReplyLength = 0;
    vars_.BlocksSent = 0;
    EndTransfer();
    if (awaited) ResetLink();
    try {
        parts_.port.SetActive(false);
    } catch (const LinkPortError&) {
        // Closing is all that was left to do.
    }
}

// A transfer that cannot go on: cancel it on the line (when the device may
// still be sending or waiting), return the device to command mode, and tell
// the user why. Nothing is handed to the loaders.
void DeviceLink::FailTransfer(const std::string& reason, bool cancel) {
    const std::string text = FailureText(reason);
    if (cancel) {
        const std::uint8_t cancelBytes[] = {kCan, kCan};
        WriteBytes(cancelBytes, sizeof cancelBytes);
    }
    vars_.LinkState = kCommandMode;
    vars_.ReplyLength = 0;
    vars_.BlocksSent = 0;
    EndTransfer();
    ++counters_.TransfersFailed;
    ShowError(text);
    ResetLink();
}

// A request other than a transfer whose reply could not be had: the device
// is returned to command mode and the user told why.
void DeviceLink::FailRequest(const std::string& reason) {
    if (transferRunning_) return FailTransfer(reason, true);
    vars_.LinkState = kCommandMode;
    vars_.ReplyLength = 0;
    timers_ = {};
    ++counters_.RequestsFailed;
    ShowError("The request failed: " + reason + ".");
    ResetLink();
}

bool DeviceLink::UploadKind() const {
    return vars_.ReplyKind == rkPlanUpload || vars_.ReplyKind == rkPoiUpload;
}

std::string DeviceLink::TransferName() const {
    switch (vars_.ReplyKind) {
        case rkPlan:
            return "plan download";
        case rkPoi:
            return "POI download";
        case rkPlanUpload:
            return "plan upload";
        case rkPoiUpload:
            return "POI upload";
        default:
            return "track download";
    }
}

// "The plan upload failed: REASON." or, for downloads, "The track download
// failed: REASON; nothing was kept."
std::string DeviceLink::FailureText(const std::string& reason) const {
    return "The " + TransferName() + " failed: " + reason +
           (UploadKind() ? "." : "; nothing was kept.");
}

void DeviceLink::WriteBytes(const std::uint8_t* bytes, std::size_t count) {
    parts_.port.Write(bytes, count);
    counters_.BytesWritten += count;
}

// Drops what waits unread in the ring and the port.
void DeviceLink::PurgeReceived() {
    ring_.Clear();
    parts_.port.PurgeRead(false);
}

void DeviceLink::ReopenAt(LinkBaud baud) {
    parts_.port.SetActive(false);
    parts_.port.SetBaud(baud);
    parts_.port.SetActive(true);
}

void DeviceLink::ShowError(std::string_view text) {
    parts_.messages.ShowMessage(text, kErrorCaption);
}

void DeviceLink::ReportPortError(const std::string& message) {
    ++counters_.PortFailures;
    counters_.LastPortError = message;
    ShowError(message);
}

// After a port failure nothing more can be expected of the device: close the
// port, stop awaiting anything, end a transfer under way and tell the user.
void DeviceLink::AbandonLink(const std::string& message) {
    try {
        parts_.port.SetActive(false);
    } catch (const LinkPortError&) {
        // Already failing; the first error is the one reported.
    }
    vars_.LinkState = kCommandMode;
    vars_.ReplyLength = 0;
    vars_.BlocksSent = 0;
    if (transferRunning_) ++counters_.TransfersFailed;
    EndTransfer();
    ReportPortError(message);
}

// A port that went away (unplugged, hung up, failing reads) is closed at
// once. When something was awaited from it the user is told which port was
// lost; the next request opens it anew.
bool DeviceLink::PortLost() {
    if (!parts_.port.Active() || !parts_.port.Lost()) return false;
    const std::string lost =
        "the connection to the device on " + vars_.DevicePortName + " was lost";
    if (transferRunning_) {
        AbandonLink(FailureText(lost));
    } else if (vars_.ReplyLength > 0) {
        AbandonLink("The request failed: " + lost + ".");
    } else {
        try {
            parts_.port.SetActive(false);
        } catch (const LinkPortError&) {
            // Nothing was awaited from the port; closing it is all there is to do.
        }
    }
    return true;
}

}  // namespace vantrel
