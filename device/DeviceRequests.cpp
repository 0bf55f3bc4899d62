// The requests behind the window's device buttons. Each sets the link to
// command mode, does its own preparation, sends its sentence and, once the
// sentence went out, awaits the reply its command names.

#include <string>

#include "device/DeviceLink.h"
#include "device/SettingsReplies.h"

namespace vantrel {

RequestResult DeviceLink::Request(const DeviceCommand& command) {
    try {
        if (SendCommand(command.sentence)) return RequestResult::NoDevice;
    } catch (const LinkPortError& error) {
        ReportPortError(error);
        return RequestResult::PortFailed;
    }
    vars_.ReplyLength = command.replyLength;
    if (command.replyKind != DeviceCommand::kKindUnchanged) vars_.ReplyKind = command.replyKind;
    return RequestResult::Sent;
}

RequestResult DeviceLink::Download(const DeviceCommand& command, ButtonState& button) {
    vars_.LinkState = kCommandMode;
    display_.pbarLoading.Visible = true;
    const RequestResult result = Request(command);
    if (result == RequestResult::Sent) button.Enabled = false;
    return result;
}

RequestResult DeviceLink::Upload(const DeviceCommand& command, ButtonState& button, bool plan) {
    vars_.BlocksSent = 0;
    vars_.LinkState = kCommandMode;
    if (!BuildUploadImage(plan)) return RequestResult::Refused;
    const RequestResult result = Request(command);
    if (result == RequestResult::Sent) button.Enabled = false;
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

RequestResult DeviceLink::btnDownloadGuiderClick() {
    vars_.LinkState = kCommandMode;
    return Request(kGuiderCommand);
}

RequestResult DeviceLink::btnLoggerClick() {
    vars_.LinkState = kCommandMode;
    return Request(kLoggerCommand);
}

RequestResult DeviceLink::btnDownloadFrGuiderClick() {
    return Download(kTrackCommand, display_.btnDownloadFrGuider);
}

RequestResult DeviceLink::btnLoadTrackClick() {
    vars_.LinkState = kCommandMode;
    const RequestResult result = Request(kTrackCommand);
    if (result == RequestResult::Sent) {
        display_.btnLoadTrack.Enabled = false;
        parts_.clock.Sleep(200);
    }
    return result;
}

RequestResult DeviceLink::btnLoadPlanClick() {
    return Download(kPlanCommand, display_.btnLoadPlan);
}

RequestResult DeviceLink::btnLoadPOIClick() {
    return Download(kPoiCommand, display_.btnLoadPOI);
}

RequestResult DeviceLink::btnStorePoiClick() {
    return Upload(kPoiUploadCommand, display_.btnStorePoi, false);
}

RequestResult DeviceLink::btnStorePlanClick() {
    return Upload(kPlanUploadCommand, display_.btnStorePlan, true);
}

// Sends its sentence, then reads the logger settings from the reply received
// before it (the new reply is not awaited here).
RequestResult DeviceLink::btnLoadDataClick() {
    vars_.LinkState = kCommandMode;
    const RequestResult result = Request(kLoadDataCommand);
    if (result == RequestResult::Sent) ParseLoggerSettings(vars_.LastReply, display_);
    return result;
}

}  // namespace vantrel
