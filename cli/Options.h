#pragma once
// What the file commands (assemble, convert, info) share: the --zone option,
// file kinds by extension and their error lines.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "locale/ZoneOffset.h"

namespace vantrel::cli {

struct CommandOptions {
    ZoneOffset zone;                   // added to the device's times for display
    std::int64_t splitGapSeconds = 0;  // --split-gap: a new track after a longer gap; 0 never
};

// "--zone H" among the arguments sets options.zone (else this computer's
// offset); H is whole hours or hours and minutes ("8", "-5", "5:30",
// "+05:30", "-3:30"). False with a message when H is no offset below a day.
// The option's two arguments are removed from `args`.
bool TakeZoneOption(std::vector<std::string>& args, CommandOptions& options);

// "--split-gap SECONDS" among the arguments sets options.splitGapSeconds;
// false with a message when SECONDS is not a whole number above 0. The
// option's two arguments are removed from `args`.
bool TakeSplitGapOption(std::vector<std::string>& args, CommandOptions& options);

// Takes "--NAME VALUE" out of args into `value` (left as it is when the
// option is absent); false when VALUE is missing.
bool TakeValue(std::vector<std::string>& args, std::string_view name, std::string& value);

// The extension of a path's file name, with its dot, in lower case ("" when
// it has none).
std::string LowerExtension(std::string_view path);

// Prints "vantrel-cli: MESSAGE" on stderr and returns `code`.
int Fail(std::string_view message, int code);

}  // namespace vantrel::cli
