// vantrel-cli download / upload / settings: the device's requests, run by the
// same link as the window's buttons, driven from a loop that hands it the
// port's received bytes at once and ticks it every 20 ms.

#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "app/AtomicFile.h"
#include "app/Companion.h"
#include "app/StderrMessages.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Options.h"
#include "cli/Progress.h"
#include "device/DeviceLocator.h"
#include "device/LinkPump.h"
#include "locale/TimeZone.h"
#include "plans/ListFiles.h"
#include "plans/PoiImage.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {

namespace {

struct DeviceOptions {
    CommandOptions display;    // --zone
    std::string port;          // --port: the device's port, else looked up
    std::string raw;           // --raw: where the received bytes go
    bool wholeTracks = false;  // tracks are written straight from the memory, none left out
};

// The session's message boxes: with tracks written straight from the memory,
// the track list's note that tracks did not fit it would be wrong.
class SessionMessages : public StderrMessages {
  public:
    explicit SessionMessages(bool wholeTracks)
        : StderrMessages(kProgramName), wholeTracks_(wholeTracks) {}
    void ShowMessage(std::string_view text, std::string_view caption) override {
        if (wholeTracks_ && text.starts_with(kNotAllTracksFit)) return;
        StderrMessages::ShowMessage(text, caption);
    }

  private:
    bool wholeTracks_;
};

std::optional<DeviceOptions> TakeDeviceOptions(std::vector<std::string>& args) {
    DeviceOptions options;
    if (!TakeZoneOption(args, options.display) || !TakeSplitGapOption(args, options.display))
        return std::nullopt;
    if (!TakeValue(args, "--port", options.port) || !TakeValue(args, "--raw", options.raw)) {
        Fail("--port and --raw each need a value", kUsage);
        return std::nullopt;
    }
    return options;
}

// One device request from start to end.
class DeviceSession {
  public:
    explicit DeviceSession(const DeviceOptions& options)
        : messages_(options.wholeTracks),
          given_(options.port),
          core_(CompanionHost{messages_, page_, page_, page_,
                              options.port.empty() ? nullptr : &given_, true}) {
        core_.values.LocalZoneOffset = options.display.zone;
        if (!options.raw.empty()) {
            core_.onDownloaded = [this, raw = options.raw](const TransferArea& area) {
                if (WriteFileAtomically(raw, area.Valid())) return;
                rawFailed_ = true;
                Fail(raw + ": the received bytes could not be written", kBadFile);
            };
        }
    }

    Companion& Core() { return core_; }
    // A download's raw bytes could not be kept (the user was told).
    bool RawFailed() const { return rawFailed_; }
    // The device sent more blocks than the transfer area holds.
    bool DownloadCut() { return core_.link().Progress().DownloadsCut > 0; }

    enum class Goal { Download, Upload, Reply };

    // Runs a request and drives the link until the goal is reached or the
    // link tells why it cannot be. A failed transfer was told by the link.
    int Run(RequestResult sent, Goal goal, const char* what) {
        if (int failed = RequestFailure(sent)) return failed;
        DeviceLink& link = core_.link();
        const LinkProgress start = link.Progress();
        Progress progress(what, goal == Goal::Upload ? link.Transfer().TransferLength : 0);
        LinkPump pump(core_.commPort, link);
        while (true) {
            pump.Step();
            const LinkProgress now = link.Progress();
            if (Reached(goal, start, now)) {
                if (goal != Goal::Reply) progress.Finish(Finished(now));
                DrainOutput();
                return kOk;
            }
            if (now.PortFailures > start.PortFailures) return kPortError;
            if (now.TransfersFailed > start.TransfersFailed) return kTransferFailed;
            if (now.WatchdogResets > start.WatchdogResets)
                return Fail("the device stopped answering", kTransferFailed);
            if (goal != Goal::Reply) progress.Update(Moved(goal, now));
        }
    }

  private:
    int RequestFailure(RequestResult sent) {
        switch (sent) {
            case RequestResult::Sent:
                return kOk;
            case RequestResult::NoDevice:
                return kNoDevice;
            case RequestResult::PortFailed:
            case RequestResult::Busy:
                return kPortError;
            case RequestResult::Refused:
                return kBadFile;
        }
        return kBadFile;
    }

    // The link's last bytes may still wait in the port's transmit queue;
    // give them up to a second to leave before the port is closed with the
    // session.
    void DrainOutput() {
        for (int i = 0; i < 50 && core_.commPort.fGetOutQueue().Count() > 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(kTickMilliseconds));
    }

    static bool Reached(Goal goal, const LinkProgress& start, const LinkProgress& now) {
        switch (goal) {
            case Goal::Download:
                return now.DownloadsFinished > start.DownloadsFinished;
            case Goal::Upload:
                return now.UploadsFinished > start.UploadsFinished;
            case Goal::Reply:
                return now.RepliesUnderstood > start.RepliesUnderstood;
        }
        return false;
    }

    static std::size_t Moved(Goal goal, const LinkProgress& now) {
        return static_cast<std::size_t>(goal == Goal::Upload ? now.BlocksSent
                                                             : now.BlocksReceived) *
               kBlockSize;
    }

    // What a finished request moved: the image sent or the bytes received
    // (the link's block counts are back at 0 once a transfer has ended).
    static std::size_t Finished(const LinkProgress& now) { return now.TransferLength; }

    SessionMessages messages_;
    AbsentMapPage page_;
    GivenPortLocator given_;
    Companion core_;
    bool rawFailed_ = false;
};

// Tracks as a track file, or every track and point of the received memory
// as GPX, KML or CSV.
int SaveTracks(Companion& core, const std::string& out, const CommandOptions& options) {
    if (WritesLoggedTracks(out))
        return WriteLoggedTracks(DecodeTrackMemory(core.transfer.Valid()), out, options);
    if (LowerExtension(out) != ".trk")
        return Fail("tracks are saved as .trk, .gpx, .kml or .csv", kUsage);
    if (options.splitGapSeconds > 0)
        return Fail("--split-gap applies to .gpx, .kml and .csv output", kUsage);
    if (!WriteFileAtomically(out, TrackFileBytes(core.tracks, CodePage())))
        return Fail(out + ": cannot be written", kBadFile);
    return kOk;
}

int SavePlan(Companion& core, const std::string& out, StderrMessages& messages) {
    const std::string ext = LowerExtension(out);
    if (ext == ".csv") return WritePlanCsv(out, core.plans, messages) ? kOk : kBadFile;
    if (ext == ".gpx") return WritePlanGpx(out, core.plans);
    if (ext != ".rte") return Fail("a plan is saved as .rte, .csv or .gpx", kUsage);
    GlyphRenderer glyphs;
    return SavePlanFile(out, core.plans, glyphs, core.transfer, messages) ? kOk : kBadFile;
}

int SavePois(Companion& core, const std::string& out, StderrMessages& messages) {
    const std::string ext = LowerExtension(out);
    if (ext == ".csv") return WritePoiCsv(out, core.pois, messages) ? kOk : kBadFile;
    if (ext == ".gpx") return WritePoiGpx(out, core.pois);
    if (ext != ".wpt") return Fail("POIs are saved as .wpt, .csv or .gpx", kUsage);
    return SavePoiFile(out, core.pois, core.transfer, messages) ? kOk : kBadFile;
}

// Loads the list an upload sends from a device image file or a CSV.
int LoadForUpload(Companion& core, bool plan, const std::string& file, StderrMessages& messages) {
    const std::string ext = LowerExtension(file);
    AbsentMapPage page;
    if (ext == ".csv") return plan ? ReadPlanCsv(file, core.plans) : ReadPoiCsv(file, core.pois);
    if (ext == ".gpx") return plan ? ReadPlanGpx(file, core.plans) : ReadPoiGpx(file, core.pois);
    if (plan && ext == ".rte")
        return OpenPlanFile(file, core.plans, core.transfer, page, messages) == OpenResult::Opened
                   ? kOk
                   : kBadFile;
    if (!plan && ext == ".wpt")
        return OpenPoiFile(file, core.pois, core.transfer, messages) == OpenResult::Opened
                   ? kOk
                   : kBadFile;
    return Fail(
        plan ? "a plan is read from .rte, .csv or .gpx" : "POIs are read from .wpt, .csv or .gpx",
        kUsage);
}

// Whether a download of `what` can be saved with the extension, asked before
// the transfer so a typing error costs no download.
bool KnownOutput(const std::string& what, const std::string& ext) {
    if (ext == ".gpx" || ext == ".csv") return true;
    if (what == "tracks") return ext == ".trk" || ext == ".kml";
    return ext == (what == "plan" ? ".rte" : ".wpt");
}

void PrintSettings(const LinkDisplay& d) {
    std::printf(
        "guider: route %s m, backlight %s s, suspend %s min, home zone %s, "
        "local zone %s, unit %s\n",
        d.edRoute.Text.c_str(), d.edBackLight.Text.c_str(), d.edSuspend.Text.c_str(),
        d.edTimeZoneHome.Text.c_str(), d.edTimeZoneLocal.Text.c_str(), d.edUnit.Text.c_str());
    std::printf("logger: record time %s s, record distance %s, record speed %s\n",
                d.edRecordTime.Text.c_str(), d.edRecordDistance.Text.c_str(),
                d.edRecordSpeed.Text.c_str());
}

}  // namespace

int RunDownload(Args args) {
    std::vector<std::string> rest(args.begin(), args.end());
    auto options = TakeDeviceOptions(rest);
    if (!options) return kUsage;
    if (rest.size() != 2) return Fail("download needs WHAT (tracks, plan or poi) and OUT", kUsage);
    const std::string& what = rest[0];
    const std::string& out = rest[1];
    if (what != "tracks" && what != "plan" && what != "poi")
        return Fail("download takes tracks, plan or poi", kUsage);
    if (!KnownOutput(what, LowerExtension(out)))
        return Fail(what + " cannot be saved as '" + LowerExtension(out) + "'", kUsage);
    // GPX holds UTC: POIs pass from the device unshifted.
    if (LowerExtension(out) == ".gpx") options->display.zone = {};
    options->wholeTracks = what == "tracks" && WritesLoggedTracks(out);

    DeviceSession session(*options);
    Companion& core = session.Core();
    DeviceLink& link = core.link();
    RequestResult sent = what == "tracks" ? link.btnDownloadFrGuiderClick()
                         : what == "plan" ? link.btnLoadPlanClick()
                                          : link.btnLoadPOIClick();
    if (int failed = session.Run(sent, DeviceSession::Goal::Download, what.c_str())) return failed;
    // The reason was told; an existing OUT stays as it was.
    if (!core.lastDownload.decoded) return kBadFile;

    StderrMessages messages{kProgramName};
    const int saved = what == "tracks" ? SaveTracks(core, out, options->display)
                      : what == "plan" ? SavePlan(core, out, messages)
                                       : SavePois(core, out, messages);
    if (saved != kOk) return saved;
    // Tracks written straight from the memory leave none out, whatever the
    // track list could hold.
    const bool listCut = !core.lastDownload.complete && !options->wholeTracks;
    if (listCut || session.DownloadCut())
        return Fail(out + " was written with what was kept", kIncomplete);
    return session.RawFailed() ? kIncomplete : kOk;
}

int RunUpload(Args args) {
    std::vector<std::string> rest(args.begin(), args.end());
    auto options = TakeDeviceOptions(rest);
    if (!options) return kUsage;
    if (rest.size() != 2 || (rest[0] != "plan" && rest[0] != "poi"))
        return Fail("upload needs WHAT (plan or poi) and FILE", kUsage);
    const bool plan = rest[0] == "plan";
    if (LowerExtension(rest[1]) == ".gpx") options->display.zone = {};  // UTC to the device

    DeviceSession session(*options);
    Companion& core = session.Core();
    StderrMessages messages{kProgramName};
    if (int failed = LoadForUpload(core, plan, rest[1], messages)) return failed;
    // A POI file with more than the list holds was cut when it was read.
    const bool cut = !plan && LowerExtension(rest[1]) == ".wpt" &&
                     CountPoiRecords(core.transfer.Valid()).leftOut > 0;
    DeviceLink& link = core.link();
    RequestResult sent = plan ? link.btnStorePlanClick() : link.btnStorePoiClick();
    if (int failed = session.Run(sent, DeviceSession::Goal::Upload, rest[0].c_str())) return failed;
    if (cut) return Fail("only the POIs that were kept went to the device", kIncomplete);
    return kOk;
}

int RunSettings(Args args) {
    std::vector<std::string> rest(args.begin(), args.end());
    auto options = TakeDeviceOptions(rest);
    if (!options) return kUsage;
    if (!rest.empty()) return Fail("settings takes no arguments besides --port", kUsage);

    DeviceSession session(*options);
    DeviceLink& link = session.Core().link();
    if (int failed = session.Run(link.btnDownloadGuiderClick(), DeviceSession::Goal::Reply, ""))
        return failed;
    if (int failed = session.Run(link.btnLoggerClick(), DeviceSession::Goal::Reply, ""))
        return failed;
    PrintSettings(link.Display());
    return kOk;
}

}  // namespace vantrel::cli
