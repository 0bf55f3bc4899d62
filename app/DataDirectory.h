#pragma once
// The program's data folder (language files, images, map pages), found from
// the program's own file: <bin>/../share/vantrel when installed, the top of
// the source tree when the program runs from its build tree.

#include <filesystem>

namespace vantrel {

// The data folder of a program at `exe`: <bin>/../share/vantrel when that
// folder exists, `sourceDir` when `exe` lies inside `buildDir`, else
// <bin>/../share/vantrel all the same.
std::filesystem::path DataDirectoryFor(const std::filesystem::path& exe,
                                       const std::filesystem::path& buildDir,
                                       const std::filesystem::path& sourceDir);

// The data folder of this process (/proc/self/exe and the folders it was
// built in).
std::filesystem::path ProgramDataDirectory();

}  // namespace vantrel
