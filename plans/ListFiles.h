#pragma once
// The Plan and POI pages' files, both ways: plan (.rte) and POI (.wpt)
// files are the device images byte for byte; GPX and CSV are read and
// written as the command line does. A file is opened by its extension (a
// GPX or CSV one, else an image). A file that cannot be opened changes
// nothing, and one that cannot be saved leaves any old file as it was;
// either is refused with its name and the reason ("Cannot open plan.csv:
// row 3: '91' is not a valid latitude").

#include <optional>
#include <string>

#include "base/FileFormats.h"
#include "base/FileResult.h"
#include "map/MapPage.h"
#include "plans/GlyphRenderer.h"
#include "plans/ListCheck.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"

namespace vantrel {

inline constexpr FileFormat kPlanFormats[] = {FileFormat::Rte, FileFormat::Gpx, FileFormat::Csv};
inline constexpr FileFormat kPoiFormats[] = {FileFormat::Wpt, FileFormat::Gpx, FileFormat::Csv};

// A list's rows, as just decoded from an image, through the one row check
// (in the list's own notation and display offset).
std::optional<RowRefusal> CheckListRows(const PlanList& list);
std::optional<RowRefusal> CheckListRows(const PoiList& list);

// The list takes the points of the file and the plan page its markers.
FileResult OpenPlanFile(const std::string& path, PlanList& list, MapPage& webPlan);
// The list takes the POIs of the file; a POI file holding more than the
// list takes keeps what fits and says so (Partial).
FileResult OpenPoiFile(const std::string& path, PoiList& list);

// Writes the list in `format`. A save that went through leaves the list
// unmodified.
FileResult SavePlanFile(const std::string& path, FileFormat format, PlanList& list,
                        GlyphRenderer& glyphs);
FileResult SavePoiFile(const std::string& path, FileFormat format, PoiList& list);

}  // namespace vantrel
