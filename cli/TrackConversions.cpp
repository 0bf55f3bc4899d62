// Conversions of track files for vantrel-cli convert, and the track writers
// that assemble and download share.

#include <array>
#include <cstdio>

#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "tracks/KmlExport.h"
#include "tracks/TrackExports.h"

namespace vantrel::cli {

namespace {

// The name a KML document takes from its file; tracks on standard output
// are just "tracks".
std::string KmlName(const FileArg& out) {
    return out.Standard() ? std::string("tracks") : out.path;
}

struct LoggedWriter {
    std::string_view kind;
    std::string (*text)(const LoggedTracks& tracks, const FileArg& out, ZoneOffset zone);
};

constexpr std::array kLoggedWriters = {
    LoggedWriter{".gpx", [](const LoggedTracks& t, const FileArg&,
                            ZoneOffset) { return GpxTracksText(t); }},
    LoggedWriter{".kml", [](const LoggedTracks& t, const FileArg& out,
                            ZoneOffset) { return KmlText(t, KmlName(out)); }},
    LoggedWriter{".csv", [](const LoggedTracks& t, const FileArg&,
                            ZoneOffset zone) { return TrackCsvText(t, zone); }},
};

const LoggedWriter* WriterFor(std::string_view kind) {
    for (const auto& writer : kLoggedWriters)
        if (writer.kind == kind) return &writer;
    return nullptr;
}

}  // namespace

bool WritesLoggedTracks(std::string_view kind) {
    return WriterFor(kind) != nullptr;
}

int WriteLoggedTracks(const LoggedTracks& tracks, const FileArg& out,
                      const CommandOptions& options) {
    const LoggedWriter* writer = WriterFor(out.kind);
    if (!writer) return Fail(out.OutName() + ": tracks are written as .gpx, .kml or .csv", kUsage);
    const LoggedTracks split = SplitAtGaps(tracks, options.splitGapSeconds);
    if (!WriteOutput(out, writer->text(split, out, options.zone))) return kBadFile;
    std::size_t points = 0;
    for (const LoggedTrack& track : split)
        points += track.points.size();
    Note(options, std::to_string(split.size()) + " tracks, " + std::to_string(points) +
                      " points written to " + out.OutName());
    return kOk;
}

int ConvertTrackToKml(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    if (options.splitGapSeconds > 0) return ConvertTrackFile(in, out, options);
    TrackDocument tracks(options);
    if (int failed = tracks.Open(in)) return failed;
    if (!WriteOutput(out, KmlText(tracks.store, KmlName(out)))) return kBadFile;
    Note(options, std::to_string(tracks.store.ListedTracks()) + " tracks written to " +
                      out.OutName());
    return kOk;
}

int ConvertTrackFile(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    TrackDocument tracks(options);
    if (int failed = tracks.Open(in)) return failed;
    return WriteLoggedTracks(StoreTracks(tracks.store, options.zone), out, options);
}

}  // namespace vantrel::cli
