// vantrel-cli assemble MEMORY OUT [--zone H] [--split-gap SECONDS] [track options]
// [--format F] [-q]: a raw track-memory image (the bytes a track download
// stores) decoded into GPX, KML or CSV with every track and point, or into a
// track file (.trk, which holds at most 64 tracks and 65536 points), edited
// on the way as the track options ask.

#include <array>
#include <cstdio>
#include <optional>

#include "base/NumberText.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "cli/Terminal.h"
#include "tracks/TrackStore.h"

namespace vantrel::cli {

namespace {

struct AssembleArgs {
    FileArg memory;
    FileArg out;
    CommandOptions options;
};

std::optional<AssembleArgs> Parse(Args args) {
    auto parsed = ParseArgs(args, kTrackFileOptions);
    if (!parsed) return std::nullopt;
    auto options = FileOptions(*parsed);
    if (!options) return std::nullopt;
    const auto& files = parsed->operands;
    if (files.size() != 2) {
        Fail("assemble: expected MEMORY and OUT", kUsage);
        return std::nullopt;
    }
    // The memory image has no format of its own: --format names OUT's.
    if (!FormatFitsOperands(*options, {&files[1], 1})) return std::nullopt;
    AssembleArgs result{{files[0], ""}, {}, *options};
    auto out = FileArgument(files[1], *options);
    if (!out) return std::nullopt;
    result.out = *out;
    if (!WritesTracks(out->kind)) {
        Fail("assemble writes .trk, .gpx, .kml or .csv", kUsage);
        return std::nullopt;
    }
    KeepNotesOffStdout(result.options, result.out);
    return result;
}

void PrintReport(const Tracks& tracks, const AssemblyReport& report,
                 const CommandOptions& options) {
    Note(options, "tracks: " + std::to_string(report.tracks));
    Note(options, "points: " + std::to_string(report.points));
    Note(options, "skipped records (bad checksum): " + std::to_string(report.skippedRecords));
    for (const Track& track : tracks) {
        const std::string from =
            track.points.empty() ? "-" : IsoTimeText(track.points.front().time, options.zone);
        Note(options, "  " + PadRight(track.name, 20) + " " +
                          PadLeft(std::to_string(track.points.size()), 6) + " points  from " +
                          PadRight(from, 25) + "  " + FormatFixed(TrackKm(track), 3, '.') +
                          " km");
    }
}

}  // namespace

int RunAssemble(Args args) {
    auto parsed = Parse(args);
    if (!parsed) return kUsage;
    auto image = ReadInput(parsed->memory, TransferArea::kSize, "a track memory");
    if (!image) return kBadFile;
    if (image->size() < TrackRecord::kSize)
        return CannotRead(parsed->memory, "it holds no whole track record");
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image->data());
    AppValues values = ValuesFor(parsed->options);
    TrackStore store(values);
    const AssemblyReport report = store.AssembleTracks({bytes, image->size()});
    if (!report.notice.empty()) Fail(report.notice, kOk);
    PrintReport(store.List(), report, parsed->options);
    return WriteTracks(store.List(), parsed->out, parsed->options);
}

}  // namespace vantrel::cli
