// vantrel-cli geotag PHOTO|FOLDER... --track FILE... [--camera-zone ZONE]
// [--offset SECONDS | --clock-photo PHOTO --clock-time TIME] [--max-gap SECONDS]
// [--overwrite] [--sidecar auto|always|never] [--dry-run] [--zone H] [--port P] [-q]:
// photos placed where the tracks were when they were taken, one line per
// photo on stdout, a summary at the end.

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "base/NumberText.h"
#include "cli/Cli.h"
#include "cli/DeviceTracks.h"
#include "cli/Documents.h"
#include "cli/Options.h"
#include "cli/Progress.h"
#include "cli/Streams.h"
#include "cli/Terminal.h"
#include "photos/Geotag.h"
#include "tracks/GpxTracks.h"
#include "tracks/TrackMemory.h"

namespace vantrel::cli {

namespace {

namespace fs = std::filesystem;

constexpr OptionKind kTrackOption{"--track", "", true};
constexpr OptionKind kCameraZoneOption{"--camera-zone", "", true};
constexpr OptionKind kOffsetOption{"--offset", "", true};
constexpr OptionKind kClockPhotoOption{"--clock-photo", "", true};
constexpr OptionKind kClockTimeOption{"--clock-time", "", true};
constexpr OptionKind kMaxGapOption{"--max-gap", "", true};
constexpr OptionKind kOverwriteOption{"--overwrite", "", false};
constexpr OptionKind kSidecarOption{"--sidecar", "", true};
constexpr OptionKind kDryRunOption{"--dry-run", "", false};

struct GeotagArgs {
    std::vector<fs::path> photos;
    std::vector<std::string> tracks;
    CommandOptions options;  // --zone (of .trk files) and --quiet
    std::string port;
    GeotagSettings settings;
};

std::optional<std::int64_t> WholeSeconds(const ParsedArgs& parsed, std::string_view name,
                                         bool negativeToo) {
    const std::string text = parsed.Value(name);
    auto seconds = ParseInt(text);
    if (!seconds || (!negativeToo && *seconds < 0)) {
        Fail(std::string(name) + " needs a whole number of seconds" +
                 (negativeToo ? "" : " of 0 or more") + ", not '" + text + "'",
             kUsage);
        return std::nullopt;
    }
    return *seconds;
}

std::optional<SidecarChoice> SidecarFrom(const ParsedArgs& parsed) {
    const std::string text = parsed.Value("--sidecar", "auto");
    if (text == "auto") return SidecarChoice::Auto;
    if (text == "always") return SidecarChoice::Always;
    if (text == "never") return SidecarChoice::Never;
    Fail("--sidecar takes auto, always or never, not '" + text + "'", kUsage);
    return std::nullopt;
}

// The clock offset a photo of a clock gives, told as a note.
std::optional<std::int64_t> OffsetFromClockPhoto(const ParsedArgs& parsed,
                                                 const CommandOptions& options) {
    const std::string photo = parsed.Value("--clock-photo"), shown = parsed.Value("--clock-time");
    const PhotoRead read = ReadPhoto(photo);
    if (!read.facts || !read.facts->time) {
        Fail("--clock-photo " + photo + ": " + (read.facts ? "the photo has no time" : read.error),
             kUsage);
        return std::nullopt;
    }
    auto reading = ParseClockReading(shown, read.facts->time->wall);
    if (!reading) {
        Fail("--clock-time needs the clock's time as HH:MM:SS or YYYY-MM-DD HH:MM:SS, not '" +
                 shown + "'",
             kUsage);
        return std::nullopt;
    }
    const std::int64_t offset = ClockOffsetSeconds(*read.facts->time, *reading);
    Note(options, "clock offset " + std::to_string(offset) + " s: " + photo + " was taken at " +
                      CameraTimeText(*read.facts->time) + " by the camera, the clock showed " +
                      shown);
    return offset;
}

bool ClockFrom(const ParsedArgs& parsed, const CommandOptions& options, PhotoClock& clock) {
    if (parsed.Has("--camera-zone")) {
        std::string error;
        clock.cameraZone = ParseCameraZone(parsed.Value("--camera-zone"), error);
        if (!clock.cameraZone) return Fail(error, kUsage), false;
    }
    const bool clockPhoto = parsed.Has("--clock-photo") || parsed.Has("--clock-time");
    if (clockPhoto && parsed.Has("--offset"))
        return Fail("give either --offset or a clock photo, not both", kUsage), false;
    if (clockPhoto && !(parsed.Has("--clock-photo") && parsed.Has("--clock-time")))
        return Fail("--clock-photo and --clock-time go together", kUsage), false;
    std::optional<std::int64_t> offset = 0;
    if (parsed.Has("--offset")) offset = WholeSeconds(parsed, "--offset", true);
    if (clockPhoto) offset = OffsetFromClockPhoto(parsed, options);
    if (!offset) return false;
    clock.offsetSeconds = *offset;
    return true;
}

std::optional<GeotagArgs> Parse(Args args) {
    constexpr std::array kOptions = {kTrackOption,   kCameraZoneOption, kOffsetOption,
                                     kClockPhotoOption, kClockTimeOption, kMaxGapOption,
                                     kOverwriteOption, kSidecarOption,  kDryRunOption,
                                     kZoneOption,    kPortOption,       kQuietOption};
    auto parsed = ParseArgs(args, kOptions);
    if (!parsed) return std::nullopt;
    auto options = FileOptions(*parsed);
    if (!options) return std::nullopt;
    options->notes = options->quiet ? nullptr : stderr;  // stdout holds the photos' lines
    GeotagArgs result{{}, parsed->Values("--track"), *options, parsed->Value("--port"), {}};
    if (parsed->operands.empty()) return Fail("geotag needs photos or folders", kUsage), std::nullopt;
    if (result.tracks.empty())
        return Fail("geotag needs --track FILE (a .trk, .gpx or memory image, or 'device')", kUsage),
               std::nullopt;
    for (const std::string& operand : parsed->operands) {
        const std::string kind = LowerExtension(operand);
        if (kind == ".gpx" || kind == ".trk")
            return Fail(operand + " is a track: give each track with its own --track", kUsage),
                   std::nullopt;
        result.photos.emplace_back(operand);
    }
    GeotagSettings& settings = result.settings;
    auto sidecar = SidecarFrom(*parsed);
    std::optional<std::int64_t> gap = kDefaultMaxGap.count();
    if (parsed->Has("--max-gap")) gap = WholeSeconds(*parsed, "--max-gap", false);
    if (!sidecar || !gap || !ClockFrom(*parsed, result.options, settings.clock)) return std::nullopt;
    settings.sidecar = *sidecar;
    settings.maxGap = std::chrono::seconds(*gap);
    settings.overwrite = parsed->Has("--overwrite");
    settings.dryRun = parsed->Has("--dry-run");
    return result;
}

// The tracks of one --track: kOk, or the exit code after telling why.
int ReadTrackSource(const std::string& source, const GeotagArgs& args, Tracks& into) {
    Tracks tracks;
    const FileArg file{source, LowerExtension(source)};
    if (source == "device") {
        const int code = DownloadDeviceTracks(args.port, args.options.quiet, tracks);
        if (code != kOk && code != kIncomplete) return code;
    } else if (file.kind == ".gpx") {
        auto text = ReadInput(file, kMaxGpxTrackBytes, "a GPX file of tracks");
        if (!text) return kBadFile;
        GpxTracksRead read = ReadGpxTracks(*text);
        if (!read.error.empty()) return CannotRead(file, read.error);
        tracks = std::move(read.tracks);
    } else if (file.kind == ".trk") {
        TrackDocument document;
        const int code = document.Open(file, args.options);
        if (code != kOk && code != kIncomplete) return code;
        tracks = std::move(document.tracks);
    } else {  // a raw track memory, as downloaded with --raw
        auto image = ReadInput(file, TransferArea::kSize, "a track memory");
        if (!image) return kBadFile;
        TrackDecoding decoding;
        tracks = DecodeTrackMemory({reinterpret_cast<const std::uint8_t*>(image->data()),
                                    image->size()},
                                   decoding)
                     .tracks;
        if (tracks.empty()) return CannotRead(file, "it holds no track records");
    }
    into.insert(into.end(), std::make_move_iterator(tracks.begin()),
                std::make_move_iterator(tracks.end()));
    return kOk;
}

// "NAME  CAMERA TIME  ZONE  UTC  POSITION  WHAT HAPPENED", "-" for what is not known.
std::string LineOf(const PhotoReport& report) {
    const auto field = [](const std::string& text) { return text.empty() ? std::string("-") : text; };
    return EscapeControls(report.name) + "  " + field(report.cameraTime) + "  " +
           field(report.zone) + "  " + field(report.utcTime) + "  " +
           (report.position ? PositionText(*report.position) : std::string("-")) + "  " +
           EscapeControls(report.detail);
}

int Verdict(const GeotagTally& tally) {
    if (tally.Total() == 0) return Fail("no photos were found", kBadFile);
    if (tally.Of(PhotoOutcome::Unreadable) == tally.Total()) return kBadFile;
    if (tally.Of(PhotoOutcome::Unreadable) > 0 || tally.Of(PhotoOutcome::NotWritten) > 0)
        return kIncomplete;
    return kOk;
}

std::size_t CountPhotos(std::span<const fs::path> photos) {
    std::size_t count = 0;
    VisitPhotos(photos, [&](const fs::path&, const std::string&) { return ++count > 0; });
    return count;
}

}  // namespace

int RunGeotag(Args args) {
    auto parsed = Parse(args);
    if (!parsed) return kUsage;
    Tracks tracks;
    for (const std::string& source : parsed->tracks)
        if (int failed = ReadTrackSource(source, *parsed, tracks)) return failed;
    const TrackMatcher matcher(tracks, parsed->settings.maxGap);
    if (matcher.Empty()) return Fail("the tracks given hold no points", kBadFile);

    // Progress would break the lines up on a terminal; it is shown when
    // the lines go elsewhere.
    const bool progressShown = !parsed->options.quiet && ::isatty(STDOUT_FILENO) == 0;
    Progress progress("photos", progressShown ? CountPhotos(parsed->photos) : 0,
                      progressShown ? stderr : nullptr, Progress::Unit::Items);
    GeotagTally tally;
    VisitPhotos(parsed->photos, [&](const fs::path& photo, const std::string& error) {
        const PhotoReport report =
            error.empty() ? GeotagFile(photo, parsed->settings, matcher, tracks)
                          : PhotoReport{photo.string(), {}, {}, {}, {}, PhotoOutcome::Unreadable, error};
        tally.Add(report.outcome);
        std::printf("%s\n", LineOf(report).c_str());
        progress.Update(tally.Total());
        return true;
    });
    std::fflush(stdout);
    if (tally.Total() > 0) progress.Finish(tally.Total());
    Note(parsed->options, tally.Text() + (parsed->settings.dryRun ? " (dry run: nothing was written)" : ""));
    return Verdict(tally);
}

}  // namespace vantrel::cli
