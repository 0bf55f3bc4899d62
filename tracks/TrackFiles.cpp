#include "tracks/TrackFiles.h"

#include "base/AtomicFile.h"
#include "tracks/GpxTracks.h"
#include "tracks/KmlExport.h"
#include "tracks/TrackExports.h"

namespace vantrel {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// What a file's first bytes say it is.
enum class Content { TrackFile, Gpx, Kml, OtherXml };

Content ContentOf(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || bytes[first] != '<') return Content::TrackFile;
    const std::string_view head = bytes.substr(0, 4096);
    if (head.find("<gpx") != std::string_view::npos) return Content::Gpx;
    if (head.find("<kml") != std::string_view::npos) return Content::Kml;
    return Content::OtherXml;
}

TrackFileRead Refused(const std::string& path, const std::string& reason) {
    return {{}, OpenRefusal(path, reason)};
}

TrackFileRead GpxRead(const std::string& path, std::string_view text) {
    GpxTracksRead gpx = ReadGpxTracks(text);
    if (!gpx.error.empty()) return Refused(path, gpx.error);
    // GPX keeps no colours: each track gets one of its own.
    for (std::size_t k = 0; k < gpx.tracks.size(); ++k)
        gpx.tracks[k].color = NewTrackColour(k);
    return {std::move(gpx.tracks), {}};
}

}  // namespace

TrackFileRead OpenTracks(const std::string& path, const TrackFileFormat& format) {
    std::error_code error;
    const auto bytes = ReadFileBytes(path, error, kMaxGpxTrackBytes);
    if (error == std::errc::file_too_large)
        return Refused(path, "it is larger than the " + std::to_string(kMaxGpxTrackBytes) +
                                 " bytes a track file can be");
    if (!bytes) return Refused(path, error.message());
    switch (ContentOf(*bytes)) {
        case Content::Gpx:
            return GpxRead(path, *bytes);
        case Content::Kml:
            return Refused(path,
                           "a KML file keeps the line of a track but not the times of its "
                           "points, so it cannot be opened as tracks; open the track file "
                           "(.trk) or a GPX file of them instead");
        case Content::OtherXml:
            return Refused(path, "it is an XML file, but neither GPX nor KML");
        case Content::TrackFile:
            break;
    }
    if (bytes->size() > kMaxTrackFileBytes)
        return Refused(path, "it is larger than the " + std::to_string(kMaxTrackFileBytes) +
                                 " bytes a track file can be");
    TrackFileRead read = ReadTrackFile(*bytes, format);
    if (read.result.Refused()) read.result = OpenRefusal(path, read.result.reason);
    return read;
}

FileResult SaveTracks(std::span<const Track> tracks, const std::string& path,
                      FileFormat fileFormat, const TrackFileFormat& format) {
    std::string bytes;
    switch (fileFormat) {
        case FileFormat::Gpx: bytes = GpxTracksText(tracks); break;
        case FileFormat::Kml: bytes = KmlText(tracks, path); break;
        case FileFormat::Csv: bytes = TrackCsvText(tracks, format.zone); break;
        default: bytes = TrackFileBytes(tracks, format); break;
    }
    std::error_code error;
    if (!WriteFileAtomically(path, bytes, error)) return SaveRefusal(path, error.message());
    const TrackFileFit fit =
        fileFormat == FileFormat::Trk ? TrackFileFitOf(tracks) : TrackFileFit{};
    if (fit.Complete()) return {};
    const std::string reason = "a track file holds at most 64 tracks and 65536 points: " +
                               fit.Text() + " were left out";
    return FileResult::Cut("The file was saved, but " + reason + ".", "Warning", reason);
}

}  // namespace vantrel
