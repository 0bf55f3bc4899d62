// DeviceLink, continued: the requests a user makes of the device. Each sets the
// link to command mode, does its own preparation, sends its sentence and, once
// the sentence went out, awaits the reply its command names.

#include <algorithm>
#include <string>

#include "device/DeviceLink.h"
#include "device/SettingsReplies.h"

namespace vantrel {

RequestResult DeviceLink::Request(const DeviceCommand& command) {
    if (transferRunning_) return RefuseWhileBusy();
    try {
        if (SendCommand(command.sentence)) return RequestResult::NoDevice;
    } catch (const LinkPortError& error) {
        ReportPortError(error.what());
        return RequestResult::PortFailed;
    }
    vars_.ReplyLength = command.replyLength;
    if (command.replyKind != DeviceCommand::kKindUnchanged) vars_.ReplyKind = command.replyKind;
    // A command that leaves the kind as it was awaits no reply of its own.
    timers_.awaitingReply = command.replyKind != DeviceCommand::kKindUnchanged;
    Progressed();
    return RequestResult::Sent;
}

// A second request would cut into the transfer under way (its sentence
// switches the line back to command mode), so it is refused.
RequestResult DeviceLink::RefuseWhileBusy() {
    ShowError("The " + TransferName() + " is still under way; wait until it has ended.");
    return RequestResult::Busy;
}

RequestResult DeviceLink::Download(const DeviceCommand& command, bool showProgress) {
    if (transferRunning_) return RefuseWhileBusy();
    vars_.LinkState = kCommandMode;
    const RequestResult result = Request(command);
    if (result == RequestResult::Sent) BeginTransfer(showProgress);
    return result;
}

RequestResult DeviceLink::Upload(const DeviceCommand& command, bool plan) {
    if (transferRunning_) return RefuseWhileBusy();
    vars_.BlocksSent = 0;
    vars_.LinkState = kCommandMode;
    if (!BuildUploadImage(plan)) return RequestResult::Refused;
    const RequestResult result = Request(command);
    if (result != RequestResult::Sent) return result;
    // The blocks go out from a copy: the image plus the erased bytes after it
    // up to the end of the last block.
    const std::size_t end =
        std::min(UploadBlocks(area_.TransferLength), kMaxUploadBlocks) * kBlockSize;
    std::copy_n(area_.bytes.begin(), end, moving_.bytes.begin());
    moving_.TransferLength = area_.TransferLength;
    BeginTransfer(false);
    return result;
}

// Builds the plan or POI image into the transfer area. An image the block
// numbers cannot carry is refused here, before anything is sent.
bool DeviceLink::BuildUploadImage(bool plan) {
    const UploadImage image =
        plan ? parts_.hooks.BuildPlanImage(area_) : parts_.hooks.BuildPoiImage(area_);
    if (image.Refused()) {
        ShowError(image.refusal);
        return false;
    }
    area_.TransferLength = image.length;
    if (image.length > kMaxUploadLength) {
        ShowError("The " + std::string(plan ? "plan" : "POI list") +
                  " is too large to upload: " + std::to_string(image.length) +
                  " bytes, and the device takes at most " + std::to_string(kMaxUploadLength) + ".");
        return false;
    }
    return true;
}

RequestResult DeviceLink::RequestGuiderSettings() {
    if (transferRunning_) return RefuseWhileBusy();
    vars_.LinkState = kCommandMode;
    return Request(kGuiderCommand);
}

RequestResult DeviceLink::RequestLoggerSettings() {
    if (transferRunning_) return RefuseWhileBusy();
    vars_.LinkState = kCommandMode;
    return Request(kLoggerCommand);
}

RequestResult DeviceLink::RequestTrackDownload() {
    return Download(kTrackCommand, true);
}

// The status page's track download: no progress bar, and a pause after the
// request.
RequestResult DeviceLink::RequestTrackDownloadQuietly() {
    const RequestResult result = Download(kTrackCommand, false);
    if (result == RequestResult::Sent) parts_.clock.Sleep(200);
    return result;
}

RequestResult DeviceLink::RequestPlanDownload() {
    return Download(kPlanCommand, true);
}

RequestResult DeviceLink::RequestPoiDownload() {
    return Download(kPoiCommand, true);
}

RequestResult DeviceLink::UploadPoiList() {
    return Upload(kPoiUploadCommand, false);
}

RequestResult DeviceLink::UploadPlan() {
    return Upload(kPlanUploadCommand, true);
}

// Sends its sentence, then reads the logger settings from the reply received
// before it (the new reply is not awaited here).
RequestResult DeviceLink::RequestLoggerData() {
    if (transferRunning_) return RefuseWhileBusy();
    vars_.LinkState = kCommandMode;
    const RequestResult result = Request(kLoadDataCommand);
    if (result == RequestResult::Sent) ParseLoggerSettings(vars_.LastReply, status_);
    return result;
}

}  // namespace vantrel
