#include "map/ProfileMarks.h"

#include "map/ScriptText.h"

namespace vantrel {

std::string ProfileCursorScript(const TrackPoint* point) {
    if (point == nullptr) return "hideProfileCursor();";
    return "showProfileCursor(" + ScriptReal(point->latitude) + ',' + ScriptReal(point->longitude) +
           ");";
}

std::string ProfileRangeScript(std::span<const TrackPoint> points) {
    std::string script = "showProfileRange([";
    script.reserve(points.size() * 24 + 24);
    for (const TrackPoint& p : points) {
        if (script.back() != '[') script += ',';
        script += '[' + ScriptReal(p.latitude) + ',' + ScriptReal(p.longitude) + ']';
    }
    return script + "]);";
}

}  // namespace vantrel
