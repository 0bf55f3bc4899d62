#pragma once
// A time zone's offset from UTC in whole minutes, so that zones such as
// India (+5:30), Newfoundland (-3:30) and Nepal (+5:45) keep their minutes,
// and its texts: as the choosers and the command line show and take it, and
// as ISO 8601 writes it.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

struct ZoneOffset {
    int minutes = 0;  // east of UTC is positive

    static constexpr ZoneOffset Hours(int hours) { return {hours * 60}; }
    constexpr std::chrono::minutes Duration() const { return std::chrono::minutes{minutes}; }
    constexpr ZoneOffset operator-() const { return {-minutes}; }
    friend constexpr bool operator==(ZoneOffset, ZoneOffset) = default;
};

// The offsets the world's zones use, from -12:00 to +14:00; files written
// at any other offset could not be read back.
inline constexpr int kMinZoneMinutes = -12 * 60;
inline constexpr int kMaxZoneMinutes = 14 * 60;

// As the choosers show the computer's offset: whole hours as "%i" ("8", "-5",
// "0", never a plus sign), other offsets with their minutes ("5:30", "-3:30").
std::string ZoneText(ZoneOffset zone);

// The ISO 8601 offset: "+08:00", "-03:30", "+00:00".
std::string IsoOffsetText(ZoneOffset zone);

// An offset as a chooser or --zone gives it: an optional sign, one or two
// digits of hours and optionally ":" and two digits of minutes ("8", "+8",
// "-5", "5:30", "+05:30", "-3:30"), blanks around it ignored. nullopt for
// any other text and for offsets outside -12:00 to +14:00.
std::optional<ZoneOffset> ParseZoneOffset(std::string_view text);

}  // namespace vantrel
