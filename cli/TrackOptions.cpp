// The track options: --from, --to, --split-at, --merge and --max-speed, read
// from the arguments and applied to the tracks that convert, assemble and
// download write.

#include <algorithm>

#include "base/NumberText.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "tracks/TrackEdits.h"
#include "tracks/TrackSplit.h"

namespace vantrel::cli {

namespace {

// Whether an ISO 8601 time ends with its zone: "Z" or "+HH:MM".
bool HasZone(std::string_view text) {
    text = TrimBlanks(text);
    if (text.ends_with('Z')) return true;
    return text.size() > 6 && (text[text.size() - 6] == '+' || text[text.size() - 6] == '-') &&
           text[text.size() - 3] == ':';
}

// A moment as the user gives it, or nothing after saying what is wrong.
std::optional<Seconds> TimeFrom(std::string_view option, std::string_view text, ZoneOffset zone) {
    if (auto iso = ParseIsoTime(text)) {
        if (HasZone(text)) return iso;
        Fail(std::string(option) + " '" + std::string(text) +
                 "' has no zone: end it with Z or an offset such as +02:00, or write it as "
                 "the lists show it (2011/09/14 10:00:00, read at --zone)",
             kUsage);
        return std::nullopt;
    }
    if (auto shown = ParseCalendarText(TrimBlanks(text))) return *shown - zone.Duration();
    Fail(std::string(option) + " needs a time such as 2011-09-14T10:00:00+02:00, "
                               "2011-09-14T08:00:00Z or 2011/09/14 10:00:00 (read at --zone), "
                               "not '" + std::string(text) + "'",
         kUsage);
    return std::nullopt;
}

bool TakeTime(const ParsedArgs& parsed, std::string_view option, ZoneOffset zone,
              std::optional<Seconds>& time) {
    if (!parsed.Has(option)) return true;
    time = TimeFrom(option, parsed.Value(option), zone);
    return time.has_value();
}

bool TakeSplitTimes(const ParsedArgs& parsed, ZoneOffset zone, std::vector<Seconds>& times) {
    if (!parsed.Has("--split-at")) return true;
    const std::string list = parsed.Value("--split-at");
    for (std::size_t begin = 0; begin <= list.size();) {
        const std::size_t comma = std::min(list.find(',', begin), list.size());
        auto time = TimeFrom("--split-at", std::string_view(list).substr(begin, comma - begin), zone);
        if (!time) return false;
        times.push_back(*time);
        begin = comma + 1;
    }
    return true;
}

bool TakeMaxSpeed(const ParsedArgs& parsed, std::optional<double>& kmh) {
    if (!parsed.Has("--max-speed")) return true;
    const std::string text = parsed.Value("--max-speed");
    kmh = ParseFloat(TrimBlanks(text), '.');
    if (kmh && *kmh > 0 && *kmh < 1e6) return true;
    Fail("--max-speed needs a speed in km/h above 0, such as 300, not '" + text + "'", kUsage);
    return false;
}

// "2011-09-14T01:46:25+02:00 to 2011-09-14T03:10:00+02:00"
std::string SpanText(Seconds from, Seconds to, ZoneOffset zone) {
    return IsoTimeText(from, zone) + " to " + IsoTimeText(to, zone);
}

// " (they run from 2011-09-14T10:00:00+02:00 to ...)", or nothing without points.
std::string RunText(const Tracks& tracks, ZoneOffset zone) {
    std::optional<std::pair<Seconds, Seconds>> run;
    for (const Track& track : tracks)
        for (const TrackPoint& p : track.points)
            run = run ? std::pair{std::min(run->first, p.time), std::max(run->second, p.time)}
                      : std::pair{p.time, p.time};
    return run ? " (they run from " + SpanText(run->first, run->second, zone) + ")" : "";
}

// Keeps the points from --from to --to; tracks left without points go.
int KeepRange(Tracks& tracks, const CommandOptions& options) {
    const TrackEditOptions& edits = options.edits;
    const Seconds from = edits.from.value_or(Seconds::min());
    const Seconds to = edits.to.value_or(Seconds::max());
    Tracks kept;
    for (const Track& track : tracks) {
        Track inside = KeptBetween(track, from, to);
        if (!inside.points.empty()) kept.push_back(std::move(inside));
    }
    const std::size_t before = PointCount(tracks), after = PointCount(kept);
    if (after == 0) {
        Fail("--from and --to keep no point of the tracks" + RunText(tracks, options.zone) +
                 ": nothing was written",
             kUsage);
        return kUsage;
    }
    Note(options, "kept " + std::to_string(after) + " of " + Counted(before, "point") + " in " +
                      Counted(kept.size(), "track"));
    tracks = std::move(kept);
    return kOk;
}

int MergeAll(Tracks& tracks, const CommandOptions& options) {
    if (tracks.size() < 2) return kOk;
    Merged merged = MergedInTimeOrder(tracks);
    if (!merged.track) return Fail("--merge: " + merged.refusal, kUsage);
    Note(options, "merged " + std::to_string(tracks.size()) + " tracks into " + merged.track->name);
    tracks = {std::move(*merged.track)};
    return kOk;
}

void DropOutliers(Tracks& tracks, const CommandOptions& options, double maxKmh) {
    const std::size_t before = PointCount(tracks);
    for (Track& track : tracks)
        track = WithoutOutliers(track, maxKmh);
    Note(options, "dropped " + Counted(before - PointCount(tracks), "point") + " above " +
                      FormatGeneral(maxKmh, '.') + " km/h");
}

}  // namespace

std::optional<TrackEditOptions> TrackEditsFrom(const ParsedArgs& parsed, ZoneOffset zone) {
    TrackEditOptions edits;
    if (!TakeTime(parsed, "--from", zone, edits.from) || !TakeTime(parsed, "--to", zone, edits.to) ||
        !TakeSplitTimes(parsed, zone, edits.splitAt) || !TakeMaxSpeed(parsed, edits.maxSpeedKmh))
        return std::nullopt;
    if (edits.from && edits.to && *edits.from > *edits.to) {
        Fail("--from lies after --to: " + SpanText(*edits.from, *edits.to, zone) + " holds no time",
             kUsage);
        return std::nullopt;
    }
    edits.merge = parsed.Has("--merge");
    return edits;
}

std::string_view TrackOptionGiven(const CommandOptions& options) {
    const TrackEditOptions& e = options.edits;
    if (options.splitGapSeconds > 0) return kSplitGapOption.name;
    if (e.from) return kFromOption.name;
    if (e.to) return kToOption.name;
    if (!e.splitAt.empty()) return kSplitAtOption.name;
    if (e.merge) return kMergeOption.name;
    if (e.maxSpeedKmh) return kMaxSpeedOption.name;
    return {};
}

int EditTracks(Tracks& tracks, const CommandOptions& options) {
    const TrackEditOptions& edits = options.edits;
    if (edits.from || edits.to)
        if (int failed = KeepRange(tracks, options)) return failed;
    tracks = SplitAtGaps(tracks, options.splitGapSeconds);
    if (!edits.splitAt.empty()) tracks = SplitAtTimes(tracks, edits.splitAt);
    if (edits.merge)
        if (int failed = MergeAll(tracks, options)) return failed;
    if (edits.maxSpeedKmh) DropOutliers(tracks, options, *edits.maxSpeedKmh);
    return kOk;
}

}  // namespace vantrel::cli
