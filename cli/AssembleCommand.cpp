// vantrel-cli assemble MEMORY OUT [--zone H] [--split-gap SECONDS] [--format F] [-q]: a raw
// track-memory image (the bytes a track download stores) decoded into a
// track file (.trk, as the track list holds it: at most 64 tracks and 65536
// record slots), or straight into GPX, KML or CSV with every track and point.

#include <array>
#include <cstdio>
#include <optional>

#include "base/NumberText.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "cli/Terminal.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {

namespace {

struct AssembleArgs {
    FileArg memory;
    FileArg out;
    CommandOptions options;
};

std::optional<AssembleArgs> Parse(Args args) {
    constexpr std::array kOptions = {kZoneOption, kSplitGapOption, kFormatOption, kQuietOption};
    auto parsed = ParseArgs(args, kOptions);
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
    const bool logged = WritesLoggedTracks(out->kind);
    if (!logged && out->kind != ".trk") {
        Fail("assemble writes .trk, .gpx, .kml or .csv", kUsage);
        return std::nullopt;
    }
    if (!logged && options->splitGapSeconds > 0) {
        Fail("--split-gap applies to .gpx, .kml and .csv output", kUsage);
        return std::nullopt;
    }
    KeepNotesOffStdout(result.options, result.out);
    return result;
}

void PrintReport(const TrackStore& store, const AssemblyReport& report,
                 const CommandOptions& options) {
    Note(options, "tracks: " + std::to_string(report.tracks) + "\npoints: " +
                      std::to_string(report.points) + "\nskipped records (bad checksum): " +
                      std::to_string(report.skippedRecords));
    Note(options, "left out (do not fit): " + std::to_string(report.leftOutTracks) +
                      " tracks, " + std::to_string(report.leftOutPoints) + " points");
    const char sep = store.Separator();
    for (int k = 0; k < report.tracks; ++k) {
        const TrackEntry& e = store.TrackTable[static_cast<std::size_t>(k)];
        Note(options, "  " + PadRight(EntryName(e), 20) + " " +
                          PadLeft(std::to_string(e.pointCount), 6) + " points  from " +
                          PadRight(store.ScratchGrid.Cell(0, e.firstRow), 20) + "  " +
                          FormatGeneral(e.distanceKm, sep) + " km");
    }
}

// Every track and point of the image, written as GPX, KML or CSV.
int WriteLogged(std::span<const std::uint8_t> image, const AssembleArgs& args) {
    MemoryDecodeReport report;
    const LoggedTracks tracks = DecodeTrackMemory(image, &report);
    if (report.skippedRecords > 0)
        Note(args.options,
             "skipped records (bad checksum): " + std::to_string(report.skippedRecords));
    return WriteLoggedTracks(tracks, args.out, args.options);
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
    if (WritesLoggedTracks(parsed->out.kind)) return WriteLogged({bytes, image->size()}, *parsed);

    TrackDocument tracks(parsed->options);
    TrackStore& store = tracks.store;
    std::copy(bytes, bytes + image->size(), tracks.area->bytes.begin());
    tracks.area->TransferLength = image->size();
    const AssemblyReport report = store.AssembleTracks();
    PrintReport(store, report, parsed->options);
    return WriteOutput(parsed->out, TrackFileBytes(store, CodePage())) ? kOk : kBadFile;
}

}  // namespace vantrel::cli
