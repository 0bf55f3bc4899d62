#pragma once
// The window's state and work without the window: every subsystem's objects
// wired together as the main window owns them, so the desktop shell, the
// command line and tests drive one and the same core.
//
// The owner supplies what needs a person or a page (message boxes, the three
// map pages) and drives the device link: it calls link.Tick() every 20 ms
// and, with syncEvents, drains the serial component's notifications on its
// own thread, where received bytes reach the link at once.

#include <functional>
#include <memory>

#include "app/ListDocuments.h"
#include "base/AppValues.h"
#include "base/FileResult.h"
#include "base/TransferArea.h"
#include "base/UserMessages.h"
#include "device/CommPortLink.h"
#include "device/DeviceLink.h"
#include "map/MapPage.h"
#include "plans/GlyphRenderer.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"
#include "serial/KxCommDevice.h"
#include "tracks/TrackStore.h"

namespace vantrel {

// What the owner provides; each must outlive the Companion.
struct CompanionHost {
    UserMessages& messages;
    MapPage& webMap;
    MapPage& webPlan;
    MapPage& webPoi;
    // Where the device is looked for; nullptr for the system's own lookup
    // (sysfs, or the port named by VANTREL_PORT).
    DeviceLocator* locator = nullptr;
    // True for owners that drain the serial component's notifications on
    // their thread (an event loop, a LinkPump): the link then reads received
    // bytes as they are reported. False for owners that only tick the link.
    bool syncEvents = false;
};

// Which transfer buttons the window enables, decided here alone: every
// download and upload button is disabled while a transfer runs; otherwise the
// downloads are enabled, and each upload while its list holds something to
// send.
struct TransferButtons {
    bool downloadTracks = true;  // the Track page's, and the Status page's
    bool downloadPlan = true;
    bool downloadPoi = true;
    bool uploadPlan = false;
    bool uploadPoi = false;
    bool operator==(const TransferButtons&) const = default;
};

// What the last download's hand-over made of the received bytes.
struct DownloadOutcome {
    bool decoded = true;   // false: they could not be read, the list was left as it was
    bool complete = true;  // false: some of it could not be kept (the user was told)
};

class Companion : private TransferHooks {
  public:
    explicit Companion(CompanionHost host);
    ~Companion() override;
    Companion(const Companion&) = delete;
    Companion& operator=(const Companion&) = delete;

    AppValues values;
    TransferArea transfer;
    TrackStore tracks;
    PlanList plans;
    PoiList pois;
    TKxCommDevice commPort;

    DeviceLink& link() { return *link_; }
    TransferButtons Buttons() const;
    // The plan titles' glyphs, for the plan file's image.
    GlyphRenderer& Glyphs() { return glyphs_; }

    // The lists as documents (CompanionFiles.cpp): a page's file opened (a
    // file that cannot be changes nothing) or saved in a format, whether its
    // list holds changes not yet saved or sent, whether it has anything to
    // save, and whether an upload of it would send nothing (the device then
    // loses what it holds).
    FileResult OpenFile(ListKind kind, const std::string& path);
    FileResult SaveFile(ListKind kind, const std::string& path, FileFormat format);
    bool Modified(ListKind kind) const;
    bool CanSave(ListKind kind) const;
    bool UploadIsEmpty(ListKind kind) const;
    // The list was sent to the device whole: it holds no unsaved changes.
    void Sent(ListKind kind);

    // Called with the received bytes when a download ends, before they are
    // decoded (so a caller can keep them whatever the decoding makes of them).
    std::function<void(const TransferArea&)> onDownloaded;
    DownloadOutcome lastDownload;

  private:
    void Downloaded(const TransferArea& area);
    // Hand-overs of the device link; DownloadShortfall is in CompanionDownloads.cpp.
    std::string DownloadShortfall(int kind, const TransferArea& area) override;
    void AssembleTracks(const TransferArea& area) override;
    void ReadPlanImage(const TransferArea& area) override;
    void ReadPoiImage(const TransferArea& area) override;
    UploadImage BuildPlanImage(TransferArea& area) override;
    UploadImage BuildPoiImage(TransferArea& area) override;

    CompanionHost host_;
    GlyphRenderer glyphs_;
    CommPortLink portLink_;
    SystemClock clock_;
    std::unique_ptr<DeviceLocator> ownLocator_;
    std::unique_ptr<DeviceLink> link_;
};

}  // namespace vantrel
