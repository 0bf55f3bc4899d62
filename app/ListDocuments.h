#pragma once
// The Track, Plan and POI pages' lists as documents a user opens and saves:
// which formats each offers, and which page a file belongs to.

#include <optional>
#include <span>
#include <string>

#include "base/FileFormats.h"

namespace vantrel {

enum class ListKind { Track, Plan, Poi };
inline constexpr ListKind kListKinds[] = {ListKind::Track, ListKind::Plan, ListKind::Poi};

std::span<const FileFormat> OpenFormats(ListKind kind);
std::span<const FileFormat> SaveFormats(ListKind kind);

// The page a file is opened on, by its extension and, for GPX and CSV, what
// it holds: tracks (a GPX with trk), else a plan (a route; a CSV headed
// "title"), else POIs (waypoints; "time"). Nothing for a file of no page.
std::optional<ListKind> ListKindOfFile(const std::string& path);

}  // namespace vantrel
