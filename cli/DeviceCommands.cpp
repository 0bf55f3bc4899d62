// vantrel-cli download / upload / settings: the device's requests, run by the
// same link as the window's buttons, driven from a loop that hands it the
// port's received bytes at once and ticks it every 20 ms.

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "app/Companion.h"
#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/DeviceTracks.h"
#include "cli/Documents.h"
#include "cli/Interrupts.h"
#include "cli/Options.h"
#include "cli/Progress.h"
#include "cli/Terminal.h"
#include "device/DeviceLocator.h"
#include "device/LinkPump.h"
#include "locale/TimeZone.h"
#include "plans/PlanImage.h"
#include "plans/PoiImage.h"

namespace vantrel::cli {

namespace {

struct DeviceOptions {
    CommandOptions display;  // --zone
    std::string port;        // --port: the device's port, else looked up
    std::string raw;         // --raw: where the received bytes go
};

// The session's message boxes. Messages can be held back while the command
// decides whether to word them itself.
class SessionMessages : public CliMessages {
  public:
    void ShowMessage(std::string_view text, std::string_view caption) override {
        if (holding_) {
            held_.emplace_back(text);
            return;
        }
        CliMessages::ShowMessage(text, caption);
    }
    void Hold() { holding_ = true; }
    // Shows the messages held (or drops them) and stops holding.
    void Release(bool show) {
        holding_ = false;
        for (const std::string& text : std::exchange(held_, {}))
            if (show) CliMessages::ShowMessage(text, "");
    }

  private:
    bool holding_ = false;
    std::vector<std::string> held_;
};

// The options of a device command and its operands; nullopt after a usage
// message.
std::optional<DeviceOptions> TakeDeviceOptions(Args args, std::span<const OptionKind> known,
                                               std::vector<std::string>& operands) {
    auto parsed = ParseArgs(args, known);
    if (!parsed) return std::nullopt;
    auto display = FileOptions(*parsed);
    if (!display) return std::nullopt;
    DeviceOptions options{*display, parsed->Value("--port"), parsed->Value("--raw")};
    const bool noPort = parsed->Has("--port") && options.port.empty();
    const bool noRaw = parsed->Has("--raw") && (options.raw.empty() || options.raw == "-");
    if (noPort || noRaw) {
        Fail(noPort ? "--port needs a port name" : "--raw needs a file name", kUsage);
        return std::nullopt;
    }
    operands = parsed->operands;
    return options;
}

// One device request from start to end.
class DeviceSession {
  public:
    explicit DeviceSession(const DeviceOptions& options)
        : interrupts_(),
          progressTo_(options.display.quiet ? nullptr : stderr),
          given_(options.port),
          core_(CompanionHost{messages_, page_, page_, page_,
                              options.port.empty() ? nullptr : &given_, true}) {
        core_.values.LocalZoneOffset = options.display.zone;
        if (!options.raw.empty()) {
            core_.onDownloaded = [this, raw = options.raw](const TransferArea& area) {
                std::error_code error;
                const auto bytes = area.Valid();
                if (WriteFileAtomically(
                        raw, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, error))
                    return;
                rawFailed_ = true;
                Fail("cannot write the received bytes to " + raw + ": " + error.message(),
                     kIncomplete);
            };
        }
    }

    Companion& Core() { return core_; }
    // A download's raw bytes could not be kept (the user was told).
    bool RawFailed() const { return rawFailed_; }
    // The device sent more blocks than the transfer area holds.
    bool DownloadCut() { return core_.link().Progress().DownloadsCut > 0; }

    enum class Goal { Download, Upload, Reply };

    // Makes one request of the link. No device to send it to is told in the
    // command line's words, in place of the link's own message.
    RequestResult Ask(RequestResult (DeviceLink::*request)()) {
        messages_.Hold();
        const RequestResult sent = (core_.link().*request)();
        messages_.Release(sent != RequestResult::NoDevice);
        if (sent == RequestResult::NoDevice)
            Fail("no device found: no serial port has the device's cp210x driver; connect the "
                 "device, or name its port with --port P or VANTREL_PORT",
                 kNoDevice);
        return sent;
    }

    // Runs a request and drives the link until the goal is reached or the
    // link tells why it cannot be. A failed transfer was told by the link.
    int Run(RequestResult sent, Goal goal, const char* what) {
        if (int failed = RequestFailure(sent)) return failed;
        DeviceLink& link = core_.link();
        const LinkProgress start = link.Progress();
        Progress progress(what, goal == Goal::Upload ? link.Transfer().TransferLength : 0,
                          progressTo_);
        LinkPump pump(core_.commPort, link);
        while (true) {
            pump.Step();
            if (const int signal = interrupts_.Take()) return Interrupted(signal, goal, what);
            const LinkProgress now = link.Progress();
            if (Reached(goal, start, now)) {
                if (goal != Goal::Reply) progress.Finish(Finished(now));
                DrainOutput();
                return kOk;
            }
            if (now.PortFailures > start.PortFailures) return kPortError;
            if (now.TransfersFailed > start.TransfersFailed) return kTransferFailed;
            if (now.RequestsFailed > start.RequestsFailed) return kTransferFailed;
            if (now.WatchdogResets > start.WatchdogResets)
                return Fail("the device stopped answering", kTransferFailed);
            if (goal != Goal::Reply) progress.Update(Moved(goal, now));
        }
    }

  private:
    // SIGINT or SIGTERM while the device was busy: the device is returned to
    // command mode and the port closed (its lock file goes with it) before
    // the command ends; nothing has been written yet.
    int Interrupted(int signal, Goal goal, const char* what) {
        core_.link().Cancel();
        DrainOutput();
        const std::string request =
            goal == Goal::Reply
                ? std::string("the request")
                : std::string("the ") + what + (goal == Goal::Upload ? " upload" : " download");
        return Fail(std::string("interrupted by ") + (signal == SIGINT ? "SIGINT" : "SIGTERM") +
                        ": " + request + " was cancelled and nothing was written",
                    InterruptedExitCode(signal));
    }

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

    InterruptWatch interrupts_;  // first: the port's threads must start with the signals held back
    SessionMessages messages_;
    std::FILE* progressTo_;  // nullptr when quiet
    AbsentMapPage page_;
    GivenPortLocator given_;
    Companion core_;
    bool rawFailed_ = false;
};

int SavePlan(Companion& core, const FileArg& out) {
    if (out.kind == ".csv") return WritePlanCsv(out, core.plans);
    if (out.kind == ".gpx") return WritePlanGpx(out, core.plans);
    GlyphRenderer glyphs;
    return SaveImage(out, BuildPlanImage(core.plans, glyphs, core.transfer).error, core.transfer);
}

int SavePois(Companion& core, const FileArg& out) {
    if (out.kind == ".csv") return WritePoiCsv(out, core.pois);
    if (out.kind == ".gpx") return WritePoiGpx(out, core.pois);
    return SaveImage(out, BuildPoiImage(core.pois, core.transfer).error, core.transfer);
}

// Loads the list an upload sends from a device image file, a CSV or GPX.
int LoadForUpload(Companion& core, bool plan, const FileArg& file) {
    if (file.kind == ".csv") return plan ? ReadPlanCsv(file, core.plans) : ReadPoiCsv(file, core.pois);
    if (file.kind == ".gpx") return plan ? ReadPlanGpx(file, core.plans) : ReadPoiGpx(file, core.pois);
    AbsentMapPage page;
    return plan ? OpenPlanImage(file, core.plans, core.transfer, page)
                : OpenPoiImage(file, core.pois, core.transfer);
}

// Whether an upload of a plan or POIs can be read from this kind of file.
bool KnownInput(bool plan, const std::string& kind) {
    return kind == ".csv" || kind == ".gpx" || kind == (plan ? ".rte" : ".wpt");
}

// Whether a download of `what` can be saved with the extension, asked before
// the transfer so a typing error costs no download.
bool KnownOutput(const std::string& what, const std::string& ext) {
    if (ext == ".gpx" || ext == ".csv") return true;
    if (what == "tracks") return ext == ".trk" || ext == ".kml";
    return ext == (what == "plan" ? ".rte" : ".wpt");
}

// The device's fields, its control characters escaped.
void PrintSettings(const LinkStatus& d) {
    const std::string text = "guider: route " + d.route.Text + " m, backlight " + d.backLight.Text +
                             " s, suspend " + d.suspend.Text + " min, home zone " +
                             d.homeZone.Text + ", local zone " + d.localZone.Text + ", unit " +
                             d.unit.Text + "\nlogger: record time " + d.recordTime.Text +
                             " s, record distance " + d.recordDistance.Text + ", record speed " +
                             d.recordSpeed.Text + "\n";
    std::fputs(EscapeControls(text, LineEnds::Keep).c_str(), stdout);
}

}  // namespace

int RunDownload(Args args) {
    constexpr auto kOptions =
        JoinedOptions(std::array{kPortOption, kRawOption}, kTrackFileOptions);
    std::vector<std::string> rest;
    auto options = TakeDeviceOptions(args, kOptions, rest);
    if (!options) return kUsage;
    if (rest.size() != 2) return Fail("download needs WHAT (tracks, plan or poi) and OUT", kUsage);
    const std::string& what = rest[0];
    if (what != "tracks" && what != "plan" && what != "poi")
        return Fail("download takes tracks, plan or poi", kUsage);
    if (!FormatFitsOperands(options->display, {&rest[1], 1})) return kUsage;
    auto out = FileArgument(rest[1], options->display);
    if (!out) return kUsage;
    if (!KnownOutput(what, out->kind))
        return Fail(what + " cannot be saved as '" + out->kind + "'", kUsage);
    if (!options->raw.empty() && !out->Standard() && SameFile(options->raw, out->path))
        return Fail("--raw and OUT both name " + out->path +
                        ": the received bytes would overwrite what is saved there",
                    kUsage);
    const std::string_view edit = TrackOptionGiven(options->display);
    if (!edit.empty() && what != "tracks")
        return Fail(std::string(edit) + " applies to tracks", kUsage);
    KeepNotesOffStdout(options->display, *out);
    // GPX holds UTC: POIs pass from the device unshifted.
    if (out->kind == ".gpx") options->display.zone = {};

    DeviceSession session(*options);
    Companion& core = session.Core();
    const RequestResult sent = session.Ask(what == "tracks" ? &DeviceLink::RequestTrackDownload
                                           : what == "plan" ? &DeviceLink::RequestPlanDownload
                                                            : &DeviceLink::RequestPoiDownload);
    if (int failed = session.Run(sent, DeviceSession::Goal::Download, what.c_str())) return failed;
    // The reason was told; an existing OUT stays as it was.
    if (!core.lastDownload.decoded) return kBadFile;

    const int saved = what == "tracks" ? WriteTracks(core.tracks.List(), *out, options->display)
                      : what == "plan" ? SavePlan(core, *out)
                                       : SavePois(core, *out);
    if (saved != kOk && saved != kIncomplete) return saved;
    if (!core.lastDownload.complete || session.DownloadCut())
        return Fail(out->OutName() + " was written with what was kept", kIncomplete);
    return session.RawFailed() ? kIncomplete : saved;
}

int RunUpload(Args args) {
    constexpr std::array kOptions = {kPortOption, kZoneOption, kFormatOption, kQuietOption};
    std::vector<std::string> rest;
    auto options = TakeDeviceOptions(args, kOptions, rest);
    if (!options) return kUsage;
    if (rest.size() != 2 || (rest[0] != "plan" && rest[0] != "poi"))
        return Fail("upload needs WHAT (plan or poi) and FILE", kUsage);
    const bool plan = rest[0] == "plan";
    if (!FormatFitsOperands(options->display, {&rest[1], 1})) return kUsage;
    auto file = FileArgument(rest[1], options->display);
    if (!file) return kUsage;
    if (!KnownInput(plan, file->kind))
        return Fail(plan ? "a plan is read from .rte, .csv or .gpx"
                         : "POIs are read from .wpt, .csv or .gpx",
                    kUsage);
    if (file->kind == ".gpx") options->display.zone = {};  // UTC to the device

    DeviceSession session(*options);
    Companion& core = session.Core();
    if (int failed = LoadForUpload(core, plan, *file)) return failed;
    // A POI file with more than the list holds was cut when it was read.
    const bool cut = !plan && file->kind == ".wpt" &&
                     CountPoiRecords(core.transfer.Valid()).Dropped();
    const RequestResult sent =
        session.Ask(plan ? &DeviceLink::UploadPlan : &DeviceLink::UploadPoiList);
    if (int failed = session.Run(sent, DeviceSession::Goal::Upload, rest[0].c_str())) return failed;
    if (cut) return Fail("only the POIs that were kept went to the device", kIncomplete);
    return kOk;
}

int RunSettings(Args args) {
    constexpr std::array kOptions = {kPortOption};
    std::vector<std::string> rest;
    auto options = TakeDeviceOptions(args, kOptions, rest);
    if (!options) return kUsage;
    if (!rest.empty()) return Fail("settings takes no arguments besides --port", kUsage);

    DeviceSession session(*options);
    for (auto request : {&DeviceLink::RequestGuiderSettings, &DeviceLink::RequestLoggerSettings})
        if (int failed = session.Run(session.Ask(request), DeviceSession::Goal::Reply, ""))
            return failed;
    PrintSettings(session.Core().link().Status());
    return kOk;
}

}  // namespace vantrel::cli

namespace vantrel::cli {

int DownloadDeviceTracks(const std::string& port, bool quiet, Tracks& tracks) {
    DeviceOptions options;
    options.display.quiet = quiet;
    options.port = port;
    DeviceSession session(options);
    const RequestResult sent = session.Ask(&DeviceLink::RequestTrackDownload);
    if (int failed = session.Run(sent, DeviceSession::Goal::Download, "tracks")) return failed;
    if (!session.Core().lastDownload.decoded) return kBadFile;
    tracks = session.Core().tracks.List();
    if (!session.Core().lastDownload.complete || session.DownloadCut())
        return Fail("the device's tracks were downloaded with what was kept", kIncomplete);
    return kOk;
}

}  // namespace vantrel::cli
