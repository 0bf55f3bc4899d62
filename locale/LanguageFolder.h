#pragma once
// Where language files live: the folder "language" under the program's data
// folder (AppDirectory), files named "<NAME>.man".

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The languages on offer, sorted by name: every "*.man" file of
// AppDirectory/language without its extension, whatever the folders above
// are called. nullopt when there is none.
std::optional<std::vector<std::string>> FindLanguageNames(const std::string& appDirectory);

// The file a language name stands for. An empty name is "english.man"; a
// name without "/language" is looked for in AppDirectory/language; ".man" is
// appended unless the name ends with it. The result must lie directly in
// AppDirectory/language: a name that leads anywhere else (through "..", a
// subfolder or another folder) gives nullopt. The file name is matched
// ignoring case when no file has it exactly.
std::optional<std::filesystem::path> LanguageFilePath(const std::string& appDirectory,
                                                      std::string_view name);

}  // namespace vantrel
