#include "app/Companion.h"

#include "plans/PlanImage.h"
#include "plans/PoiImage.h"

namespace vantrel {

namespace {

UploadImage ToUpload(const ImageResult& built) {
    return {built.length, built.error};
}

}  // namespace

Companion::Companion(CompanionHost host)
    : tracks(values),
      plans(values),
      pois(values),
      host_(host),
      portLink_(commPort, host.syncEvents) {
    DeviceLocator* locator = host.locator;
    if (locator == nullptr) {
        ownLocator_ = std::make_unique<SysfsDeviceLocator>(SysfsDeviceLocator::FromEnvironment());
        locator = ownLocator_.get();
    }
    link_ = std::make_unique<DeviceLink>(
        LinkParts{transfer, portLink_, clock_, *locator, *this, host.messages});
    // Delivered on the owner's thread only when it drains the notifications.
    if (host.syncEvents)
        commPort.OnCommNotify = [this](TObject*, int events) {
            if ((events & EV_RXCHAR) != 0 && link_) link_->Receive();
        };
}

Companion::~Companion() {
    // The link may still hold the port open; close it before the parts go.
    link_.reset();
    commPort.Shutdown();
}

TransferButtons Companion::Buttons() const {
    if (link_->TransferRunning()) return {false, false, false, false, false};
    return {true, true, true, plans.CanUpload(), pois.CanUpload()};
}

void Companion::Downloaded(const TransferArea& area) {
    lastDownload = {};
    if (onDownloaded) onDownloaded(area);
}

void Companion::AssembleTracks(const TransferArea& area) {
    Downloaded(area);
    const AssemblyReport report = tracks.AssembleTracks(area.Valid());
    if (!report.notice.empty()) host_.messages.ShowMessage(report.notice, "Warning");
}

// A plan that cannot be decoded leaves the list as it was; an empty transfer
// (a device without a plan) empties it.
void Companion::ReadPlanImage(const TransferArea& area) {
    Downloaded(area);
    PlanList trial(values);
    if (area.TransferLength > 0 && !DecodePlanImage(trial, area)) {
        lastDownload.decoded = false;
        host_.messages.ShowMessage(
            "The plan the device sent cannot be read (its header or tables are damaged); the "
            "plan list was left as it was.",
            "Error");
        return;
    }
    vantrel::ReadPlanImage(plans, area, host_.webPlan);
}

void Companion::ReadPoiImage(const TransferArea& area) {
    Downloaded(area);
    if (!vantrel::ReadPoiImage(pois, area)) {
        lastDownload.decoded = false;
        return;
    }
    const PoiRecordCount count = CountPoiRecords(area.Valid());
    if (count.leftOut == 0) return;
    lastDownload.complete = false;
    host_.messages.ShowMessage(PoisLeftOutText(count), "Error");
}

UploadImage Companion::BuildPlanImage(TransferArea& area) {
    return ToUpload(vantrel::BuildPlanImage(plans, glyphs_, area));
}

UploadImage Companion::BuildPoiImage(TransferArea& area) {
    return ToUpload(vantrel::BuildPoiImage(pois, area));
}

}  // namespace vantrel
