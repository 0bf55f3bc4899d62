// The track file's reader: the one place where track text is read back. Each
// row of a track is checked as it is read.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "base/AtomicFile.h"
#include "base/NumberText.h"
#include "tracks/TrackFile.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kHeaderSize = sizeof(TrackEntryTable);

using Row = std::array<std::string_view, 5>;

// The body's rows: five lines each, ended by CR LF. A last row short of
// lines keeps the ones it has; `cut` says whether it is short.
struct Body {
    std::vector<Row> rows;
    bool lastRowCut = false;
    bool hasLineBreak = false;
};

Body SplitRows(std::string_view text) {
    Body body;
    body.hasLineBreak = text.find(kLineEnd) != std::string_view::npos;
    std::size_t pos = 0;
    while (pos < text.size()) {
        Row row{};
        int lines = 0;
        for (; lines < 5 && pos < text.size(); ++lines) {
            const std::size_t end = text.find(kLineEnd, pos);
            if (end == std::string_view::npos) {
                row[static_cast<std::size_t>(lines)] = text.substr(pos);
                pos = text.size();
                body.lastRowCut = true;
                ++lines;
                break;
            }
            row[static_cast<std::size_t>(lines)] = text.substr(pos, end - pos);
            pos = end + kLineEnd.size();
        }
        if (lines < 5) body.lastRowCut = true;
        body.rows.push_back(row);
    }
    return body;
}

bool IsEmpty(const Row& row) {
    return std::all_of(row.begin(), row.end(), [](std::string_view cell) { return cell.empty(); });
}

std::optional<double> Number(std::string_view cell) {
    static const NumberFormat kEither;  // a point or a comma, whatever the locale
    auto value = CellToFloat(cell, kEither);
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

// A row as a point (its time read at `zone`), or why it is not one.
std::optional<TrackPoint> RowPoint(const Row& row, bool cut, ZoneOffset zone,
                                   std::string& why) {
    if (cut) {
        why = "the file ends inside it";
        return std::nullopt;
    }
    auto time = ParseCalendarText(row[0]);
    auto latitude = Number(row[1]);
    auto longitude = Number(row[2]);
    auto altitude = Number(row[3]);
    auto speed = Number(row[4]);
    if (!time) why = "the time \"" + std::string(row[0]) + "\" is no date and time";
    else if (!latitude || std::fabs(*latitude) > 90)
        why = "\"" + std::string(row[1]) + "\" is no latitude (degrees within 90 of 0)";
    else if (!longitude || std::fabs(*longitude) > 180)
        why = "\"" + std::string(row[2]) + "\" is no longitude (degrees within 180 of 0)";
    else if (!altitude) why = "the altitude \"" + std::string(row[3]) + "\" is not a number";
    else if (!speed) why = "the speed \"" + std::string(row[4]) + "\" is not a number";
    else return TrackPoint{*time - zone.Duration(), *latitude, *longitude, *altitude, *speed};
    return std::nullopt;
}

// The entries the list shows: from the first, up to the first without a name.
std::size_t ListedEntries(const TrackEntryTable& table) {
    std::size_t listed = 0;
    while (listed < table.size() && !EntryName(table[listed]).empty())
        ++listed;
    return listed;
}

// The first row past entry k's rows: the next entry's first row when it has
// points and starts further on, else the end of the file.
std::size_t EndRow(const TrackEntryTable& table, std::size_t k, std::size_t rows) {
    if (k + 1 < table.size()) {
        const TrackEntry& next = table[k + 1];
        if (next.pointCount > 0 && next.firstRow > table[k].firstRow)
            return std::min<std::size_t>(rows, next.firstRow);
    }
    return rows;
}

class Reader {
  public:
    Reader(const TrackEntryTable& table, const Body& body, ZoneOffset zone)
        : table_(table), body_(body), zone_(zone) {}

    TrackFileRead Run() {
        const std::size_t listed = ListedEntries(table_);
        for (std::size_t k = 0; k < listed && !damage_; ++k)
            ReadEntry(k);
        if (damage_) read_.result = Damaged(listed);
        return std::move(read_);
    }

  private:
    void ReadEntry(std::size_t k) {
        const TrackEntry& entry = table_[k];
        Track& track = read_.tracks.emplace_back();
        track.name = EntryName(entry);
        track.color = entry.color;
        track.selectedFlag = entry.selected;
        const std::size_t end = EndRow(table_, k, body_.rows.size());
        std::size_t row = entry.firstRow;
        for (; row < end && track.points.size() < entry.pointCount; ++row) {
            const bool cut = body_.lastRowCut && row + 1 == body_.rows.size();
            if (IsEmpty(body_.rows[row]) && !cut) continue;
            std::string why;
            auto point = RowPoint(body_.rows[row], cut, zone_, why);
            if (!point) return Damage(k, row, track.points.size(), why);
            track.points.push_back(*point);
        }
        if (track.points.size() < entry.pointCount && row >= body_.rows.size())
            Damage(k, row, track.points.size(), "the file ends before it");
    }

    void Damage(std::size_t k, std::size_t row, std::size_t point, std::string why) {
        damage_ = true;
        damagedEntry_ = k;
        damagedPoint_ = point;
        why_ = "row " + std::to_string(row + 1) + " (" + EntryName(table_[k]) + ", point " +
               std::to_string(point + 1) + "): " + why;
    }

    // The damage and what of the table's tracks and points it left out.
    FileResult Damaged(std::size_t listed) const {
        const TrackEntry& damaged = table_[damagedEntry_];
        std::string reason = why_ + "; left out: " +
                             Counted(damaged.pointCount - damagedPoint_, "point") + " of " +
                             EntryName(damaged);
        std::size_t later = 0;
        for (std::size_t k = damagedEntry_ + 1; k < listed; ++k)
            later += table_[k].pointCount;
        if (listed > damagedEntry_ + 1)
            reason += ", and " + Counted(listed - damagedEntry_ - 1, "track") + " (" +
                      Counted(later, "point") + ") after it";
        return FileResult::Cut("File Error! The track file is damaged at " + reason + ".",
                                "Error", reason);
    }

    const TrackEntryTable& table_;
    const Body& body_;
    ZoneOffset zone_;
    TrackFileRead read_;
    bool damage_ = false;
    std::size_t damagedEntry_ = 0;
    std::size_t damagedPoint_ = 0;
    std::string why_;
};

}  // namespace

TrackFileRead ReadTrackFile(std::string_view bytes, const TrackFileFormat& format) {
    TrackFileRead read;
    if (bytes.size() < kHeaderSize) {
        const std::string reason = "the file ends inside its track table (" +
                                   std::to_string(bytes.size()) + " of " +
                                   std::to_string(kHeaderSize) + " bytes)";
        read.result = FileResult::Refusal(reason, "Error", reason);
        return read;
    }
    TrackEntryTable table;
    std::memcpy(table.data(), bytes.data(), kHeaderSize);
    std::string_view rest = bytes.substr(kHeaderSize);
    const std::string text = format.codePage.ToUtf8(rest.substr(0, rest.find('\0')));
    const Body body = SplitRows(text);
    if (!body.hasLineBreak) {
        const std::string reason = "it is no track file (no line break where a row should begin)";
        read.result = FileResult::Refusal(reason, "Error", reason);
        return read;
    }
    return Reader(table, body, format.zone).Run();
}

}  // namespace vantrel
