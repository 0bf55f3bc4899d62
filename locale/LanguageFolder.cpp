#include "locale/LanguageFolder.h"

#include <algorithm>
#include <system_error>

#include "base/AsciiCase.h"

namespace vantrel {

namespace fs = std::filesystem;

namespace {

std::string WithoutTrailingSlash(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() &&
           EqualIgnoringAsciiCase(text.substr(text.size() - tail.size()), tail);
}

// The regular files of a folder whose names pass `keep`, sorted.
template <typename Keep>
std::vector<std::string> FileNames(const fs::path& folder, Keep keep) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (keep(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// `path` itself when it exists, else a file of the same folder whose name
// differs only in case, else `path` unchanged.
fs::path MatchIgnoringCase(const fs::path& path) {
    std::error_code ec;
    if (fs::exists(path, ec)) return path;
    std::string wanted = path.filename().string();
    auto same = FileNames(path.parent_path(), [&](const std::string& name) {
        return EqualIgnoringAsciiCase(name, wanted);
    });
    return same.empty() ? path : path.parent_path() / same.front();
}

// True when a part of the path is "." or "..".
bool HasDotStep(const fs::path& path) {
    return std::any_of(path.begin(), path.end(),
                       [](const fs::path& part) { return part == ".." || part == "."; });
}

}  // namespace

std::optional<std::vector<std::string>> FindLanguageNames(const std::string& appDirectory) {
    const fs::path folder = fs::path(WithoutTrailingSlash(appDirectory)) / "language";
    auto files = FileNames(folder, [](const std::string& name) {
        return name.size() > 4 && EndsWithIgnoringCase(name, ".man");
    });
    if (files.empty()) return std::nullopt;
    for (auto& name : files)
        name.resize(name.size() - 4);
    return files;
}

std::optional<fs::path> LanguageFilePath(const std::string& appDirectory, std::string_view name) {
    std::string languageDir = WithoutTrailingSlash(appDirectory) + "/language";
    std::string full(name);
    if (full.empty()) {
        full = languageDir + "/english.man";
    } else {
        if (full.find("/language") == std::string::npos) full = languageDir + "/" + full;
        if (!EndsWithIgnoringCase(full, ".man")) full += ".man";
    }
    fs::path path(full);
    if (HasDotStep(fs::path(name)) || !path.has_filename()) return std::nullopt;
    if (path.parent_path().lexically_normal() != fs::path(languageDir).lexically_normal())
        return std::nullopt;
    return MatchIgnoringCase(path);
}

}  // namespace vantrel
