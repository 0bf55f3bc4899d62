// Track files read for the file commands, and the track writers that
// convert, assemble and download share.

#include <array>

#include "base/NumberText.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "tracks/KmlExport.h"
#include "tracks/TrackExports.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {

namespace {

// The name a KML document takes from its file; tracks on standard output
// are just "tracks".
std::string KmlName(const FileArg& out) {
    return out.Standard() ? std::string("tracks") : out.path;
}

TrackFileFormat FileFormat(const CommandOptions& options) {
    return {options.zone, '.', CodePage()};
}

struct TrackWriter {
    std::string_view kind;
    std::string (*text)(const Tracks& tracks, const FileArg& out, const CommandOptions& options);
};

constexpr std::array kTrackWriters = {
    TrackWriter{".gpx", [](const Tracks& t, const FileArg&,
                           const CommandOptions&) { return GpxTracksText(t); }},
    TrackWriter{".kml", [](const Tracks& t, const FileArg& out,
                           const CommandOptions&) { return KmlText(t, KmlName(out)); }},
    TrackWriter{".csv", [](const Tracks& t, const FileArg&,
                           const CommandOptions& o) { return TrackCsvText(t, o.zone); }},
    TrackWriter{".trk", [](const Tracks& t, const FileArg&,
                           const CommandOptions& o) { return TrackFileBytes(t, FileFormat(o)); }},
};

const TrackWriter* WriterFor(std::string_view kind) {
    for (const auto& writer : kTrackWriters)
        if (writer.kind == kind) return &writer;
    return nullptr;
}

}  // namespace

bool WritesTracks(std::string_view kind) {
    return WriterFor(kind) != nullptr;
}

int WriteTracks(Tracks tracks, const FileArg& out, const CommandOptions& options) {
    const TrackWriter* writer = WriterFor(out.kind);
    if (!writer)
        return Fail(out.OutName() + ": tracks are written as .trk, .gpx, .kml or .csv", kUsage);
    if (int failed = EditTracks(tracks, options)) return failed;
    if (!WriteOutput(out, writer->text(tracks, out, options))) return kBadFile;
    const TrackFileFit fit = out.kind == ".trk" ? TrackFileFitOf(tracks) : TrackFileFit{};
    const std::size_t written = PointCount(tracks) - fit.points;
    Note(options, Counted(tracks.size() - fit.tracks, "track") + ", " +
                      Counted(written, "point") + " written to " + out.OutName());
    if (fit.Complete()) return kOk;
    return Fail(out.OutName() + ": a track file holds at most 64 tracks and 65536 points: " +
                    fit.Text() + " were left out (.gpx holds them all)",
                kIncomplete);
}

int TrackDocument::Open(const FileArg& in, const CommandOptions& options) {
    auto bytes = ReadInput(in, kMaxTrackFileBytes, "a track file");
    if (!bytes) return kBadFile;
    TrackFileRead read = ReadTrackFile(*bytes, FileFormat(options));
    if (read.result.Refused()) return CannotRead(in, read.result.reason);
    tracks = std::move(read.tracks);
    if (read.result.Done()) return kOk;
    Fail(in.InName() + ": read up to the damage: " + read.result.reason, kIncomplete);
    return kIncomplete;
}

int ConvertTrackFile(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    TrackDocument document;
    const int opened = document.Open(in, options);
    if (opened != kOk && opened != kIncomplete) return opened;
    const int written = WriteTracks(std::move(document.tracks), out, options);
    return written != kOk ? written : opened;
}

}  // namespace vantrel::cli
