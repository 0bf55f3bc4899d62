#pragma once
// Pieces of script text made from list cells. Cell text never reaches a page
// as code: numbers go in only when they are numbers, and text goes in only as
// a quoted string literal.

#include <span>
#include <string>
#include <string_view>

#include "base/NumberText.h"
#include "map/MapPage.h"

namespace vantrel {

// A coordinate cell in script notation ("," becomes "."). A cell that is not
// a number gives "NaN", so a damaged cell cannot change the script around it.
std::string ScriptNumber(std::string_view cell, const NumberFormat& numbers);

// A real in script notation, whatever the user's locale: a point as decimal
// separator and 17 significant digits, so the page gets the very same double.
// Values that are not finite give "NaN", "Infinity" or "-Infinity".
std::string ScriptReal(double value);

// One script that calls addPoints(lat,lng) once per point, in order, and
// does nothing on a page without that function.
std::string AddPointsScript(std::span<const MapPoint> points);

// The body of a double-quoted script string literal that holds `text`
// (UTF-8): backslash, both quotes, control characters, the line and
// paragraph separators U+2028/U+2029 and "</" are escaped, so the literal can
// neither end early nor close the page's script element.
std::string EscapeScriptString(std::string_view text);

// Text made safe to show as HTML: &, <, >, " and ' become entities, so an
// info window shows the text instead of running it.
std::string EscapeHtml(std::string_view text);

}  // namespace vantrel
