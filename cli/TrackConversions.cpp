// Conversions of track files for vantrel-cli convert, and the track writers
// that assemble and download share.

#include <array>
#include <cstdio>

#include "app/AtomicFile.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "tracks/KmlExport.h"
#include "tracks/TrackExports.h"

namespace vantrel::cli {

namespace {

struct LoggedWriter {
    std::string_view extension;
    std::string (*text)(const LoggedTracks& tracks, const std::string& out, ZoneOffset zone);
};

constexpr std::array kLoggedWriters = {
    LoggedWriter{".gpx", [](const LoggedTracks& t, const std::string&,
                            ZoneOffset) { return GpxTracksText(t); }},
    LoggedWriter{".kml", [](const LoggedTracks& t, const std::string& out,
                            ZoneOffset) { return KmlText(t, out); }},
    LoggedWriter{".csv", [](const LoggedTracks& t, const std::string&,
                            ZoneOffset zone) { return TrackCsvText(t, zone); }},
};

const LoggedWriter* WriterFor(const std::string& out) {
    const std::string ext = LowerExtension(out);
    for (const auto& writer : kLoggedWriters)
        if (writer.extension == ext) return &writer;
    return nullptr;
}

}  // namespace

bool WritesLoggedTracks(const std::string& out) {
    return WriterFor(out) != nullptr;
}

int WriteLoggedTracks(const LoggedTracks& tracks, const std::string& out,
                      const CommandOptions& options) {
    const LoggedWriter* writer = WriterFor(out);
    if (!writer) return Fail(out + ": tracks are written as .gpx, .kml or .csv", kUsage);
    const LoggedTracks split = SplitAtGaps(tracks, options.splitGapSeconds);
    if (!WriteFileAtomically(out, writer->text(split, out, options.zone)))
        return Fail(out + ": cannot be written", kBadFile);
    std::size_t points = 0;
    for (const LoggedTrack& track : split)
        points += track.points.size();
    std::printf("%zu tracks, %zu points written to %s\n", split.size(), points, out.c_str());
    return kOk;
}

int ConvertTrackToKml(const std::string& in, const std::string& out,
                      const CommandOptions& options) {
    if (options.splitGapSeconds > 0) return ConvertTrackFile(in, out, options);
    TrackDocument tracks(options);
    if (int failed = tracks.Open(in)) return failed;
    if (!KmlExport(tracks.store, out)) {
        tracks.messages.ShowMessage("Cannot Save File!", "Error");
        return kBadFile;
    }
    std::printf("%d tracks written to %s\n", tracks.store.ListedTracks(), out.c_str());
    return kOk;
}

int ConvertTrackFile(const std::string& in, const std::string& out, const CommandOptions& options) {
    TrackDocument tracks(options);
    if (int failed = tracks.Open(in)) return failed;
    return WriteLoggedTracks(StoreTracks(tracks.store, options.zone), out, options);
}

}  // namespace vantrel::cli
