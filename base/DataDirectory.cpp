#include "base/DataDirectory.h"

#include <system_error>

namespace vantrel {

namespace fs = std::filesystem;

namespace {

bool IsInside(const fs::path& path, const fs::path& folder) {
    std::error_code ec;
    fs::path relative =
        fs::weakly_canonical(path, ec).lexically_relative(fs::weakly_canonical(folder, ec));
    return !ec && !relative.empty() && *relative.begin() != "..";
}

}  // namespace

fs::path DataDirectoryFor(const fs::path& exe, const fs::path& buildDir, const fs::path& sourceDir,
                          const fs::path& prefixDataDir) {
    fs::path installed = (exe.parent_path() / ".." / "share" / "vantrel").lexically_normal();
    std::error_code ec;
    if (fs::is_directory(installed, ec)) return installed;
    if (!buildDir.empty() && IsInside(exe, buildDir)) return sourceDir;
    if (!prefixDataDir.empty() && fs::is_directory(prefixDataDir, ec)) return prefixDataDir;
    return installed;
}

fs::path ProgramDataDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec);
    return DataDirectoryFor(exe, VANTREL_BUILD_DIR, VANTREL_SOURCE_DIR, VANTREL_PREFIX_DATA_DIR);
}

}  // namespace vantrel
