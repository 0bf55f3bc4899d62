// The command channel: finding the device, sending a sentence, and the link
// reset that returns both sides to command mode.

#include "device/DeviceLink.h"

namespace vantrel {

namespace {

constexpr std::string_view kNotFoundText = "Vantrel not Found!";
constexpr std::string_view kErrorCaption = "Error";

}  // namespace

DeviceLink::DeviceLink(LinkParts parts) : parts_(parts), area_(parts.area) {}

LinkProgress DeviceLink::Progress() const {
    LinkProgress p = counters_;
    p.LinkState = vars_.LinkState;
    p.BlocksReceived = vars_.BlocksReceived;
    p.BlocksSent = vars_.BlocksSent;
    p.TransferLength = area_.TransferLength;
    return p;
}

void DeviceLink::FindDevicePort() {
    // A device list that cannot be read keeps the name found before.
    const auto found = parts_.locator.DevicePort();
    if (!found) return;
    vars_.DevicePortName = *found;
    display_.comboPort.Text = *found;
}

bool DeviceLink::SendCommand(std::string_view sentence) {
    FindDevicePort();
    if (vars_.DevicePortName.empty()) {
        ShowError(kNotFoundText);
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
        AbandonLink();
        ReportPortError(error);
        return;
    }
    EnableDownloadButtons();
    display_.pbarLoading = {};
}

void DeviceLink::WriteBytes(const std::uint8_t* bytes, std::size_t count) {
    parts_.port.Write(bytes, count);
    counters_.BytesWritten += count;
}

void DeviceLink::ReopenAt(LinkBaud baud) {
    parts_.port.SetActive(false);
    parts_.port.SetBaud(baud);
    parts_.port.SetActive(true);
}

void DeviceLink::ShowError(std::string_view text) {
    parts_.messages.ShowMessage(text, kErrorCaption);
}

void DeviceLink::ReportPortError(const LinkPortError& error) {
    ++counters_.PortFailures;
    counters_.LastPortError = error.what();
    ShowError(error.what());
}

// After a port failure nothing more can be expected of the device: close the
// port, stop awaiting anything and give the user the download buttons back.
void DeviceLink::AbandonLink() {
    try {
        parts_.port.SetActive(false);
    } catch (const LinkPortError&) {
        // Already failing; the first error is the one reported.
    }
    vars_.LinkState = kCommandMode;
    vars_.ReplyLength = 0;
    EnableDownloadButtons();
    display_.pbarLoading = {};
}

void DeviceLink::EnableDownloadButtons() {
    display_.btnLoadTrack.Enabled = true;
    display_.btnDownloadFrGuider.Enabled = true;
    display_.btnLoadPlan.Enabled = true;
    display_.btnLoadPOI.Enabled = true;
}

}  // namespace vantrel
