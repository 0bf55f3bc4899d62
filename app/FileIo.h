#pragma once
// Whole-file reads and writes for the program's files (track, KML, plan and
// POI files). A write never leaves a half-written file behind: the bytes go
// to a temporary file in the target's folder, every write is checked, the
// file is flushed to disk and then renamed over the target. On failure the
// target is untouched and the temporary file is removed.

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The file's bytes, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace vantrel
