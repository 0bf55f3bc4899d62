#include "locale/ZoneRules.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "base/AtomicFile.h"

namespace vantrel {

namespace {

using namespace std::chrono;

constexpr std::int64_t kDay = 86400;

// --- POSIX TZ rules ---

class RuleText {
  public:
    explicit RuleText(std::string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    bool Take(char c) {
        if (AtEnd() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    bool Peek(char c) const { return !AtEnd() && text_[pos_] == c; }
    bool PeekDigitOrSign() const {
        return !AtEnd() && (std::isdigit(static_cast<unsigned char>(text_[pos_])) ||
                            text_[pos_] == '+' || text_[pos_] == '-');
    }
    // A zone abbreviation: three or more letters, or <...> holding any of
    // letters, digits, '+' and '-'.
    bool Name() {
        const std::size_t start = pos_;
        if (Take('<')) {
            while (!AtEnd() && text_[pos_] != '>') ++pos_;
            return Take('>') && pos_ - start >= 5;
        }
        while (!AtEnd() && std::isalpha(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        return pos_ - start >= 3;
    }
    std::optional<int> Number(int most) {
        int value = 0, digits = 0;
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(text_[pos_])) && digits < 3) {
            value = value * 10 + (text_[pos_++] - '0');
            ++digits;
        }
        if (digits == 0 || value > most) return std::nullopt;
        return value;
    }
    // [+-]hh[:mm[:ss]] in seconds.
    std::optional<int> Time(int mostHours) {
        const int sign = Take('-') ? -1 : (Take('+'), 1);
        auto hours = Number(mostHours);
        if (!hours) return std::nullopt;
        int seconds = *hours * 3600;
        for (int unit : {60, 1}) {
            if (!Take(':')) break;
            auto part = Number(59);
            if (!part) return std::nullopt;
            seconds += *part * unit;
        }
        return sign * seconds;
    }
    std::optional<PosixZoneRule::Date> Date() {
        PosixZoneRule::Date date;
        using Kind = PosixZoneRule::Date::Kind;
        if (Take('M')) {
            auto month = Number(12), week = (Take('.') ? Number(5) : std::nullopt),
                 day = (Take('.') ? Number(6) : std::nullopt);
            if (!month || !week || !day || *month < 1 || *week < 1) return std::nullopt;
            date = {Kind::MonthWeekDay, *day, *month, *week};
        } else {
            const bool julian1 = Take('J');
            auto day = Number(365);
            if (!day || (julian1 && *day < 1)) return std::nullopt;
            date.kind = julian1 ? Kind::Julian1 : Kind::Julian0;
            date.day = *day;
        }
        if (Take('/')) {
            auto time = Time(167);
            if (!time) return std::nullopt;
            date.seconds = *time;
        }
        return date;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::int64_t DaysOf(int year, unsigned month, unsigned day) {
    return sys_days(std::chrono::year{year} / month / day).time_since_epoch().count();
}

bool LeapYear(int year) { return std::chrono::year{year}.is_leap(); }

// The local day (days since 1970) on which a rule's date falls in `year`.
std::int64_t RuleDay(const PosixZoneRule::Date& date, int year) {
    using Kind = PosixZoneRule::Date::Kind;
    const std::int64_t jan1 = DaysOf(year, 1, 1);
    switch (date.kind) {
        case Kind::Julian1:  // day 1..365, 29 February never counted
            return jan1 + date.day - 1 + (LeapYear(year) && date.day >= 60 ? 1 : 0);
        case Kind::Julian0:
            return jan1 + date.day;
        case Kind::MonthWeekDay:
            break;
    }
    const auto month = static_cast<unsigned>(date.month);
    const std::int64_t first = DaysOf(year, month, 1);
    const int firstWeekday = static_cast<int>(weekday(sys_days(days(first))).c_encoding());
    std::int64_t day = first + (date.day - firstWeekday + 7) % 7 + 7 * (date.week - 1);
    const auto length = static_cast<unsigned>(
        (std::chrono::year{year} / std::chrono::month{month} / last).day());
    while (day >= first + length) day -= 7;
    return day;
}

// The UTC second of a change in `year`, given in local time at `offset`.
std::int64_t ChangeAt(const PosixZoneRule::Date& date, int year, int offset) {
    return RuleDay(date, year) * kDay + date.seconds - offset;
}

int YearOf(std::int64_t seconds) {
    const auto day = floor<days>(sys_seconds(std::chrono::seconds(seconds)));
    return static_cast<int>(year_month_day(day).year());
}

// --- TZif files ---

class BigEndianBytes {
  public:
    explicit BigEndianBytes(std::string_view bytes) : bytes_(bytes) {}
    bool Has(std::size_t n) const { return bytes_.size() - pos_ >= n; }
    std::int64_t Signed(int width) {
        std::uint64_t value = 0;
        for (int i = 0; i < width; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes_[pos_++]);
        if (width < 8 && (value >> (width * 8 - 1)) != 0) value -= std::uint64_t{1} << (width * 8);
        return static_cast<std::int64_t>(value);
    }
    std::uint8_t Byte() { return static_cast<unsigned char>(bytes_[pos_++]); }
    void Skip(std::size_t n) { pos_ += std::min(n, bytes_.size() - pos_); }
    std::string_view Rest() const { return bytes_.substr(pos_); }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

struct TzifCounts {
    std::size_t isut, isstd, leap, time, type, chars;
    std::size_t DataBytes(int timeWidth) const {
        return time * static_cast<std::size_t>(timeWidth) + time + type * 6 + chars +
               leap * static_cast<std::size_t>(timeWidth + 4) + isstd + isut;
    }
};

// A header and the counts of the data block after it, whose times are
// `timeWidth` bytes each; the block must be there whole.
std::optional<TzifCounts> ReadHeader(BigEndianBytes& in, int timeWidth, char& version,
                                     std::string& error) {
    if (!in.Has(44)) {
        error = "not a TZif file: shorter than its header";
        return std::nullopt;
    }
    std::array<char, 4> magic{};
    for (char& c : magic) c = static_cast<char>(in.Byte());
    if (std::string_view(magic.data(), 4) != "TZif") {
        error = "not a TZif file";
        return std::nullopt;
    }
    version = static_cast<char>(in.Byte());
    in.Skip(15);
    std::array<std::size_t, 6> n{};
    for (auto& count : n) count = static_cast<std::size_t>(in.Signed(4) & 0xffffffff);
    TzifCounts counts{n[0], n[1], n[2], n[3], n[4], n[5]};
    if (counts.type == 0 || counts.type > 256 || counts.time > 100000 || counts.chars > 65536 ||
        counts.leap > 10000 || (counts.isut != 0 && counts.isut != counts.type) ||
        (counts.isstd != 0 && counts.isstd != counts.type)) {
        error = "damaged TZif file: impossible counts in its header";
        return std::nullopt;
    }
    if (!in.Has(counts.DataBytes(timeWidth))) {
        error = "damaged TZif file: shorter than its header says";
        return std::nullopt;
    }
    return counts;
}

}  // namespace

int PosixZoneRule::OffsetAt(std::int64_t utc) const {
    if (!summerSeconds) return standardSeconds;
    const int year = YearOf(utc + standardSeconds);
    // The changes of the year before and after count too: a rule's local
    // times may reach into a neighbouring year.
    for (int y : {year + 1, year, year - 1}) {
        const std::int64_t starts = ChangeAt(start, y, standardSeconds);
        const std::int64_t ends = ChangeAt(end, y, *summerSeconds);
        if (starts < ends) {
            if (utc >= ends) return standardSeconds;
            if (utc >= starts) return *summerSeconds;
        } else {  // southern hemisphere: summer across the new year
            if (utc >= starts) return *summerSeconds;
            if (utc >= ends) return standardSeconds;
        }
    }
    return standardSeconds;
}

std::optional<PosixZoneRule> ParsePosixZoneRule(std::string_view text) {
    RuleText in(text);
    PosixZoneRule rule;
    if (!in.Name()) return std::nullopt;
    auto standard = in.Time(24);
    if (!standard) return std::nullopt;
    rule.standardSeconds = -*standard;  // POSIX counts west of UTC
    if (in.AtEnd()) return rule;
    if (!in.Name()) return std::nullopt;
    rule.summerSeconds = rule.standardSeconds + 3600;
    if (in.PeekDigitOrSign()) {
        auto summer = in.Time(24);
        if (!summer) return std::nullopt;
        rule.summerSeconds = -*summer;
    }
    if (in.AtEnd()) {  // POSIX's default: the United States' rules
        rule.start = {PosixZoneRule::Date::Kind::MonthWeekDay, 0, 3, 2};
        rule.end = {PosixZoneRule::Date::Kind::MonthWeekDay, 0, 11, 1};
        return rule;
    }
    if (!in.Take(',')) return std::nullopt;
    auto start = in.Date();
    auto end = in.Take(',') ? in.Date() : std::nullopt;
    if (!start || !end || !in.AtEnd()) return std::nullopt;
    rule.start = *start;
    rule.end = *end;
    return rule;
}

ZoneRules ZoneRules::Fixed(ZoneOffset offset) {
    ZoneRules rules;
    rules.initial_ = offset.minutes * 60;
    rules.name_ = IsoOffsetText(offset);
    return rules;
}

std::optional<ZoneRules> ZoneRules::FromTzif(std::string_view bytes, std::string& error) {
    BigEndianBytes in(bytes);
    char version = 0;
    auto counts = ReadHeader(in, 4, version, error);
    if (!counts) return std::nullopt;
    int width = 4;
    if (version != '\0') {  // skip the 32-bit block for the 64-bit one after it
        in.Skip(counts->DataBytes(4));
        char second = 0;
        counts = ReadHeader(in, 8, second, error);
        if (!counts) return std::nullopt;
        width = 8;
    }
    ZoneRules rules;
    std::vector<std::int64_t> times(counts->time);
    for (auto& t : times) t = in.Signed(width);
    std::vector<std::uint8_t> kinds(counts->time);
    for (auto& k : kinds) k = in.Byte();
    std::vector<int> offsets(counts->type);
    for (int& offset : offsets) {
        offset = static_cast<int>(in.Signed(4));
        in.Skip(2);  // isdst and the abbreviation's index
        if (offset <= -26 * 3600 || offset >= 26 * 3600) {
            error = "damaged TZif file: an offset beyond a day";
            return std::nullopt;
        }
    }
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (kinds[i] >= offsets.size() || (i > 0 && times[i] <= times[i - 1])) {
            error = "damaged TZif file: its transitions are out of order or of no type";
            return std::nullopt;
        }
        rules.transitions_.push_back({times[i], offsets[kinds[i]]});
    }
    rules.initial_ = offsets[0];
    in.Skip(counts->chars + counts->leap * static_cast<std::size_t>(width + 4) + counts->isstd +
            counts->isut);
    std::string_view footer = in.Rest();
    if (version != '\0' && footer.size() >= 2 && footer[0] == '\n') {
        footer = footer.substr(1, footer.find('\n', 1) - 1);
        if (!footer.empty()) rules.after_ = ParsePosixZoneRule(footer);
    }
    return rules;
}

std::optional<ZoneRules> ZoneRules::Named(std::string_view name, std::string& error,
                                          const std::filesystem::path& folder) {
    const bool safe = !name.empty() && name.front() != '/' && name.find("..") == name.npos &&
                      std::all_of(name.begin(), name.end(), [](char c) {
                          return std::isalnum(static_cast<unsigned char>(c)) || c == '/' ||
                                 c == '_' || c == '-' || c == '+';
                      });
    if (!safe) {
        error = "'" + std::string(name) + "' is no zone name";
        return std::nullopt;
    }
    std::error_code failed;
    auto bytes = ReadFileBytes(folder / std::string(name), failed, kMaxZoneFileBytes);
    if (!bytes) {
        error = "no zone '" + std::string(name) + "' in " + folder.string() +
                (failed == std::errc::no_such_file_or_directory ? "" : ": " + failed.message());
        return std::nullopt;
    }
    auto rules = FromTzif(*bytes, error);
    if (!rules) {
        error = std::string(name) + ": " + error;
        return std::nullopt;
    }
    rules->name_ = std::string(name);
    return rules;
}

ZoneRules ZoneRules::System() {
    std::string error;
    if (const char* tz = std::getenv("TZ"); tz != nullptr && *tz != '\0') {
        std::string_view text(tz);
        if (text.front() == ':') text.remove_prefix(1);
        if (text.starts_with("/")) {
            if (auto bytes = ReadFileBytes(std::string(text)))
                if (auto rules = FromTzif(*bytes, error)) {
                    rules->name_ = std::string(text);
                    return *rules;
                }
        } else if (auto named = Named(text, error)) {
            return *named;
        } else if (auto rule = ParsePosixZoneRule(text)) {
            ZoneRules rules = Fixed({rule->standardSeconds / 60});
            rules.after_ = rule;
            rules.name_ = "TZ=" + std::string(text);
            return rules;
        }
        return Fixed({});  // an unknown TZ is UTC, as the C library takes it
    }
    std::error_code failed;
    const auto link = std::filesystem::read_symlink("/etc/localtime", failed);
    const std::string target = failed ? std::string() : link.string();
    if (auto bytes = ReadFileBytes("/etc/localtime", failed, kMaxZoneFileBytes))
        if (auto rules = FromTzif(*bytes, error)) {
            const auto at = target.find("zoneinfo/");
            rules->name_ = at == target.npos ? "local" : target.substr(at + 9);
            return *rules;
        }
    return Fixed({});
}

int ZoneRules::OffsetSecondsAt(Seconds utc) const {
    const std::int64_t t = utc.time_since_epoch().count();
    auto after = std::upper_bound(transitions_.begin(), transitions_.end(), t,
                                  [](std::int64_t v, const Transition& tr) { return v < tr.at; });
    if (after == transitions_.begin()) return transitions_.empty() && after_ ? after_->OffsetAt(t) : initial_;
    if (after == transitions_.end() && after_) return after_->OffsetAt(t);
    return std::prev(after)->offset;
}

Seconds ZoneRules::FromWallClock(Seconds wall) const {
    // The offsets in force within a day either side: a zone changes its
    // offset at most once in such a span.
    std::optional<Seconds> first;
    for (std::int64_t shift : {-kDay, -kDay / 2, std::int64_t{0}, kDay / 2, kDay}) {
        const int offset = OffsetSecondsAt(wall + std::chrono::seconds(shift));
        const Seconds candidate = wall - std::chrono::seconds(offset);
        if (OffsetSecondsAt(candidate) == offset && (!first || candidate < *first))
            first = candidate;
    }
    if (first) return *first;
    return wall - std::chrono::seconds(OffsetSecondsAt(wall - std::chrono::seconds(kDay)));
}

std::vector<std::string> SystemZoneNames(const std::filesystem::path& folder) {
    for (const char* list : {"zone1970.tab", "zone.tab"}) {
        auto bytes = ReadFileBytes(folder / list);
        if (!bytes) continue;
        std::vector<std::string> names;
        std::istringstream lines(*bytes);
        for (std::string line; std::getline(lines, line);) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            std::string codes, coordinates, name;
            if (fields >> codes >> coordinates >> name) names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        names.insert(names.begin(), "UTC");
        return names;
    }
    return {};
}

}  // namespace vantrel
