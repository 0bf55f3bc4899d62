#pragma once
// GPS time counts no leap seconds, so it runs ahead of UTC by every leap
// second inserted since the GPS epoch (1980-01-06): 15 s in 2009, 18 s since
// 2017. This table holds that history, read from the system's leap-second
// list (tzdata's leap-seconds.list) or, where that cannot be read, from the
// history built in here, and tells the count valid at any GPS time.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>


namespace vantrel {

// The GPS epoch, from which the device counts its seconds.
inline constexpr std::chrono::sys_days kGpsEpoch =
    std::chrono::sys_days{std::chrono::year{1980} / std::chrono::January / 6};

class LeapSecondTable {
  public:
    static constexpr const char* kSystemList = "/usr/share/zoneinfo/leap-seconds.list";

    // The history up to the leap second at the end of 2016.
    static LeapSecondTable BuiltIn();
    // The list at `path` (lines "NTP-seconds TAI-UTC", '#' comments), or the
    // built-in history when the file cannot be read or makes no sense.
    static LeapSecondTable FromFile(const std::filesystem::path& path);
    // FromFile(kSystemList).
    static LeapSecondTable System();
    // The history a leap-second list's text gives, or nothing when a line
    // does not read as one or the entries do not follow one another in time.
    static std::optional<LeapSecondTable> Parse(std::string_view text);

    // GPS time minus UTC, in seconds, at the GPS time `gpsSeconds` (seconds
    // since the GPS epoch). An inserted second itself (23:59:60 UTC) counts
    // with the new offset, so it reads as 23:59:59.
    int OffsetAt(std::int64_t gpsSeconds) const;
    // The UTC moment of a GPS time: the epoch, the seconds, less OffsetAt.
    std::chrono::sys_seconds UtcAt(std::int64_t gpsSeconds) const;
    // The offset after the last leap second the table knows.
    int LatestOffset() const;
    bool FromSystemList() const { return fromFile_; }

  private:
    struct Step {
        std::int64_t fromGps;  // first GPS second at which `offset` holds
        int offset;
    };
    // Adds the step of a leap second that ends at UTC midnight `utcSeconds`
    // (seconds since the GPS epoch on a UTC clock) and leaves `offset`.
    void AddLeap(std::int64_t utcSeconds, int offset);

    std::vector<Step> steps_;
    bool fromFile_ = false;
};

}  // namespace vantrel
