#pragma once
// The map page files: "track.txt", "plan.txt" and "poi.txt" in the folder
// map/pages of the program's data folder, beside the script they share.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "locale/CodePage.h"

namespace vantrel {

inline constexpr std::string_view kTrackPageFile = "track.txt";
inline constexpr std::string_view kPlanPageFile = "plan.txt";
inline constexpr std::string_view kPoiPageFile = "poi.txt";

// What the user is told when a page file cannot be read.
inline constexpr std::string_view kPageFileMissingText =
    "Cannot open the map pages: they are missing from the program's data folder, so the maps "
    "stay empty.";

// The page folder of a data folder, and of this program's data folder.
std::filesystem::path MapPagesFolder(const std::filesystem::path& dataDirectory);
std::filesystem::path MapPagesFolder();

// The page file's text in UTF-8, decoded from `codePage`; empty for an empty
// file, nullopt when the file cannot be read.
std::optional<std::string> ReadPageFile(const std::filesystem::path& file,
                                        const CodePage& codePage);

}  // namespace vantrel
