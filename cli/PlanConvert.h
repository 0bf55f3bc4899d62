#pragma once
// Conversions between plan and POI files and CSV:
//   .csv -> .rte   a plan from "title,latitude,longitude" rows
//   .csv -> .wpt   POIs from "time,latitude,longitude" rows
//   .rte -> .csv   a plan's points
//   .wpt -> .csv   the POIs, times shown in the display zone
// Times in POI CSV read "YYYY/MM/DD hh:mm:ss" in the display zone (--zone H,
// by default this computer's offset), as the POI list shows them.
// Coordinates in CSV are decimal degrees with a point.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Cli.h"

namespace vantrel::cli {

struct PlanConvertOptions {
    int zoneHours = 0;  // the display offset of POI times
};

struct PlanConversion {
    std::string_view from;  // extension with its dot, lower case
    std::string_view to;
    int (*run)(const std::string& in, const std::string& out, const PlanConvertOptions& options);
};

// The conversions above, for the convert command's dispatch table.
std::span<const PlanConversion> PlanConversions();

// The conversion from the input's extension to the output's (case ignored),
// or nullptr.
const PlanConversion* FindPlanConversion(std::string_view in, std::string_view out);

// The extension of a path's file name, with its dot, in lower case ("" when
// it has none).
std::string LowerExtension(std::string_view path);

// "--zone H" among the arguments sets options.zoneHours (else the system's
// offset); false with a message when H is not a whole-hour offset. The
// option's two arguments are removed from `args`.
bool TakeZoneOption(std::vector<std::string>& args, PlanConvertOptions& options);

// "IN OUT [--zone H]": runs the matching conversion; kUsage when none does.
int RunPlanConvert(Args args);

}  // namespace vantrel::cli
