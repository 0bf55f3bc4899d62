// The track file's writer: the table and the rows of every track that fits.

#include "tracks/TrackFile.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "base/NumberText.h"
#include "tracks/TrackText.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The points of each track that a file holds, track by track in order.
std::vector<std::size_t> FittingPoints(std::span<const Track> tracks) {
    std::vector<std::size_t> fitting;
    std::size_t row = 0;
    for (const Track& track : tracks) {
        if (fitting.size() == kTrackEntryCount || row >= kMaxTrackFileRows) break;
        const std::size_t points = std::min(track.points.size(), kMaxTrackFileRows - row);
        fitting.push_back(points);
        row += points;
    }
    return fitting;
}

// A coordinate as its row states it: six decimals.
double AsWritten(double degrees) {
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, degrees, std::chars_format::fixed, 6);
    double value = degrees;
    if (written.ec == std::errc()) std::from_chars(text, written.ptr, value);
    return value;
}

// The length of the path through the positions as the rows state them, so
// that a file read and written again keeps every byte.
double WrittenKm(std::span<const TrackPoint> points) {
    std::vector<TrackPoint> written(points.begin(), points.end());
    for (TrackPoint& p : written) {
        p.latitude = AsWritten(p.latitude);
        p.longitude = AsWritten(p.longitude);
    }
    return PathKm(written);
}

TrackEntry EntryOf(const Track& track, std::size_t points, std::size_t firstRow) {
    TrackEntry entry{};
    entry.selected = track.selectedFlag;
    SetEntryName(entry, track.name);
    const std::span<const TrackPoint> kept(track.points.data(), points);
    entry.distanceKm = WrittenKm(kept);
    entry.pointCount = static_cast<std::uint32_t>(points);
    entry.color = track.color;
    entry.firstRow = static_cast<std::uint16_t>(firstRow);
    entry.durationSeconds =
        static_cast<std::uint32_t>(std::min<std::int64_t>(PathSeconds(kept), UINT32_MAX));
    return entry;
}

void AppendRow(std::string& body, const TrackPoint& point, const TrackFileFormat& format) {
    for (int column = 0; column < kPointColumns; ++column) {
        AppendPointCell(body, point, static_cast<PointColumn>(column), format.zone,
                        format.separator);
        body += kLineEnd;
    }
}

}  // namespace

std::string TrackFileFit::Text() const {
    return Counted(tracks, "track") + " and " + Counted(points, "point");
}

TrackFileFit TrackFileFitOf(std::span<const Track> tracks) {
    const std::vector<std::size_t> fitting = FittingPoints(tracks);
    TrackFileFit fit;
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        const std::size_t kept = k < fitting.size() ? fitting[k] : 0;
        if (k >= fitting.size()) ++fit.tracks;
        fit.points += tracks[k].points.size() - kept;
    }
    return fit;
}

std::string TrackFileBytes(std::span<const Track> tracks, const TrackFileFormat& format) {
    const std::vector<std::size_t> fitting = FittingPoints(tracks);
    TrackEntryTable table{};
    std::string body;
    std::size_t rows = 0;
    for (std::size_t k = 0; k < fitting.size(); ++k) {
        table[k] = EntryOf(tracks[k], fitting[k], rows);
        rows += fitting[k];
    }
    body.reserve(std::max(rows * 60, kTrackFileRows * 10));
    for (std::size_t k = 0; k < fitting.size(); ++k)
        for (std::size_t i = 0; i < fitting[k]; ++i)
            AppendRow(body, tracks[k].points[i], format);
    for (; rows < kTrackFileRows; ++rows)
        body += "\r\n\r\n\r\n\r\n\r\n";
    std::string bytes(sizeof table, '\0');
    std::memcpy(bytes.data(), table.data(), sizeof table);
    bytes += format.codePage.FromUtf8(body);
    return bytes;
}

}  // namespace vantrel
