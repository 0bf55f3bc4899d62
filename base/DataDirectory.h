#pragma once
// The program's data folder (language files, images, map pages), found from
// the program's own file: <bin>/../share/vantrel when installed, the top of
// the source tree when the program runs from its build tree, and the data
// folder of the configured install prefix for a program copied elsewhere.

#include <filesystem>

namespace vantrel {

// The data folder of a program at `exe`: <bin>/../share/vantrel when that
// folder exists, `sourceDir` when `exe` lies inside `buildDir`,
// `prefixDataDir` when that folder exists, else <bin>/../share/vantrel all
// the same.
std::filesystem::path DataDirectoryFor(const std::filesystem::path& exe,
                                       const std::filesystem::path& buildDir,
                                       const std::filesystem::path& sourceDir,
                                       const std::filesystem::path& prefixDataDir = {});

// The data folder of this process (/proc/self/exe, the folders it was built
// in and the install prefix it was configured for).
std::filesystem::path ProgramDataDirectory();

}  // namespace vantrel
