#pragma once
// Plans and POIs as GPX 1.1, both ways: a plan is a route (rte, an rtept
// with its title as name per point), POIs are waypoints (wpt) with their
// times in UTC. Reading checks every point against what the device can
// hold and refuses the whole file with a message naming the first point
// that does not fit, rather than cutting anything.

#include <cstddef>
#include <string>
#include <string_view>

#include "plans/PlanList.h"
#include "plans/PoiList.h"

namespace vantrel {

// A route or waypoint file needs far less than this even with a long track
// beside its points; a larger file is refused before it is read whole.
inline constexpr std::size_t kMaxGpxListBytes = std::size_t{16} << 20;

// The plan's rows as one route.
std::string GpxPlanText(const PlanList& list);

// The POIs as waypoints; the list's times are shown at its LocalZoneOffset
// and written back in UTC. Empty with the reason in `error` when a row's
// time or coordinates do not convert.
std::string GpxPoisText(const PoiList& list, std::string& error);

// Fills the plan list from the file's first route, or from its waypoints
// when it has no route. Points without a name are titled with their number
// from 0, as points added on the map are. Refused, with the list left as it
// was: a file that is not GPX, no points, more than 255, a name longer than
// the 31 characters a title holds, a coordinate missing or out of range,
// more than 1023 different characters (CheckPlanRows). Returns the reason,
// or an empty text.
std::string ReadGpxPlan(std::string_view text, PlanList& list);

// Fills the POI list from the file's waypoints (or its first route's points
// when it has no waypoint); every point needs a time. Refused as above.
std::string ReadGpxPois(std::string_view text, PoiList& list);

}  // namespace vantrel
