#pragma once
// The command line's options: each command names the options it takes, and
// ParseArgs splits its arguments into operands and option values. An option
// with a value takes it as "--name=value" or as the next argument
// ("--zone -5" works); "--" ends the options; "-" is an operand (standard
// input or output). What the options mean for the file commands lives in
// CommandOptions.

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/TimeText.h"
#include "base/ZoneOffset.h"

namespace vantrel::cli {

struct OptionKind {
    std::string_view name;       // "--zone"
    std::string_view shortName;  // "-q", or empty
    bool takesValue;
};

inline constexpr OptionKind kZoneOption{"--zone", "", true};
inline constexpr OptionKind kSplitGapOption{"--split-gap", "", true};
inline constexpr OptionKind kFormatOption{"--format", "", true};
inline constexpr OptionKind kQuietOption{"--quiet", "-q", false};
inline constexpr OptionKind kPortOption{"--port", "", true};
inline constexpr OptionKind kRawOption{"--raw", "", true};
inline constexpr OptionKind kFromOption{"--from", "", true};
inline constexpr OptionKind kToOption{"--to", "", true};
inline constexpr OptionKind kSplitAtOption{"--split-at", "", true};
inline constexpr OptionKind kMergeOption{"--merge", "", false};
inline constexpr OptionKind kMaxSpeedOption{"--max-speed", "", true};

// The options of the commands that write tracks: convert and assemble, and
// download with its own before them.
inline constexpr std::array kTrackFileOptions = {
    kZoneOption,  kSplitGapOption, kFromOption,   kToOption,    kSplitAtOption,
    kMergeOption, kMaxSpeedOption, kFormatOption, kQuietOption};

template <std::size_t N, std::size_t M>
constexpr std::array<OptionKind, N + M> JoinedOptions(const std::array<OptionKind, N>& first,
                                                      const std::array<OptionKind, M>& second) {
    std::array<OptionKind, N + M> joined{};
    for (std::size_t i = 0; i < N; ++i)
        joined[i] = first[i];
    for (std::size_t i = 0; i < M; ++i)
        joined[N + i] = second[i];
    return joined;
}
inline constexpr OptionKind kCsvOption{"--csv", "", false};

struct ParsedArgs {
    std::vector<std::string> operands;
    std::map<std::string, std::string, std::less<>> values;  // by long name; "" for a flag
    // Every option given, by long name, in order: repeated ones too.
    std::vector<std::pair<std::string, std::string>> given;

    bool Has(std::string_view name) const { return values.find(name) != values.end(); }
    // The option's value, or `absent` when it was not given.
    std::string Value(std::string_view name, std::string absent = {}) const;
    // Every value of an option that may be given more than once.
    std::vector<std::string> Values(std::string_view name) const;
};

// Splits `args` by the options a command takes; nullopt after saying on
// stderr what is wrong (an unknown option, a missing value, a value given
// to a flag). A repeated option keeps its last value.
std::optional<ParsedArgs> ParseArgs(std::span<const std::string> args,
                                    std::span<const OptionKind> known);

// The formats --format names: file extensions without their dot.
inline constexpr std::array<std::string_view, 6> kFormats = {"gpx", "kml", "csv",
                                                             "trk", "rte", "wpt"};
// "gpx|kml|csv|trk|rte|wpt".
std::string FormatsText();

// What the track options ask of the tracks a command writes, applied in
// this order: keep the points from --from to --to, split at --split-gap and
// at the --split-at times, join them all (--merge), drop the points that
// imply more than --max-speed km/h.
struct TrackEditOptions {
    std::optional<Seconds> from;
    std::optional<Seconds> to;
    std::vector<Seconds> splitAt;
    bool merge = false;
    std::optional<double> maxSpeedKmh;
    // Whether any of them was given (--split-gap aside).
    bool Any() const { return from || to || !splitAt.empty() || merge || maxSpeedKmh; }
};

struct CommandOptions {
    ZoneOffset zone;                   // added to the device's times for display
    std::int64_t splitGapSeconds = 0;  // --split-gap: a new track after a longer gap; 0 never
    TrackEditOptions edits;
    std::string format;                // --format as an extension (".gpx"): what "-" holds
    bool quiet = false;                // --quiet: no progress, no summaries
    // Where summaries go: stdout, stderr while the data goes to stdout,
    // nowhere when quiet.
    std::FILE* notes = stdout;
};

// The file commands' options from parsed arguments: --zone (else this
// computer's offset; whole hours or hours and minutes: "8", "-5", "5:30",
// "+05:30", "-3:30"), --split-gap (a whole number of seconds above 0), the
// track options (TrackEditsFrom), --format and --quiet. nullopt after a
// message when a value is wrong.
std::optional<CommandOptions> FileOptions(const ParsedArgs& parsed);

// TrackOptions.cpp
// --from, --to, --split-at, --merge and --max-speed. A TIME is ISO 8601 with
// its offset or Z ("2011-09-14T10:00:00+02:00"), or a time as the lists show
// it ("2011/09/14 10:00:00"), read at `zone`. nullopt after a message when a
// value is wrong or --from lies after --to.
std::optional<TrackEditOptions> TrackEditsFrom(const ParsedArgs& parsed, ZoneOffset zone);
// "--split-gap" or the first track option given, for a command that refuses
// them; empty when none was.
std::string_view TrackOptionGiven(const CommandOptions& options);

// Prints a summary line to options.notes (a line end is added).
void Note(const CommandOptions& options, std::string_view text);

// The extension of a path's file name, with its dot, in lower case ("" when
// it has none).
std::string LowerExtension(std::string_view path);

// Prints "vantrel-cli: MESSAGE" on stderr, its control characters escaped,
// and returns `code`.
int Fail(std::string_view message, int code);

}  // namespace vantrel::cli
