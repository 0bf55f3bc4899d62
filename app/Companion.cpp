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
    : tracks(values, transfer, host.messages),
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
}

Companion::~Companion() {
    // The link may still hold the port open; close it before the parts go.
    link_.reset();
    commPort.Shutdown();
}

void Companion::Downloaded(const TransferArea& area) {
    if (onDownloaded) onDownloaded(area);
}

void Companion::AssembleTracks(const TransferArea& area) {
    Downloaded(area);
    tracks.AssembleTracks();
}

void Companion::ReadPlanImage(const TransferArea& area) {
    Downloaded(area);
    vantrel::ReadPlanImage(plans, area, host_.webPlan);
}

void Companion::ReadPoiImage(const TransferArea& area) {
    Downloaded(area);
    vantrel::ReadPoiImage(pois, area);
}

UploadImage Companion::BuildPlanImage(TransferArea& area) {
    return ToUpload(vantrel::BuildPlanImage(plans, glyphs_, area));
}

UploadImage Companion::BuildPoiImage(TransferArea& area) {
    return ToUpload(vantrel::BuildPoiImage(pois, area));
}

}  // namespace vantrel
