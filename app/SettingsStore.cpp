#include "app/SettingsStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "base/AtomicFile.h"
#include "base/IniDocument.h"

namespace vantrel {

namespace {

// The settings file holds one short value; one larger than this is not ours
// and is neither read whole nor replaced.
constexpr std::size_t kSettingsFileLimit = std::size_t{64} << 10;

}  // namespace

namespace fs = std::filesystem;

fs::path UserFolderFor(const char* xdgValue, const char* home, std::string_view besideHome) {
    if (xdgValue != nullptr && xdgValue[0] == '/') return xdgValue;
    std::string homeDir = home != nullptr ? home : "";
    if (homeDir.empty()) {
        const passwd* entry = ::getpwuid(::getuid());
        if (entry != nullptr && entry->pw_dir != nullptr) homeDir = entry->pw_dir;
    }
    return fs::path(homeDir.empty() ? "/tmp" : homeDir) / besideHome;
}

fs::path SettingsPathFor(const char* xdgConfigHome, const char* home) {
    return UserFolderFor(xdgConfigHome, home, ".config") / "vantrel" / "vantrel.ini";
}

fs::path DefaultSettingsPath() {
    return SettingsPathFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

bool SettingsStore::CreateKey() const {
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    return !ec;
}

std::string SettingsStore::ReadString(std::string_view name) const {
    std::error_code error;
    auto text = ReadFileBytes(file_, error, kSettingsFileLimit);
    if (!text) return {};
    return IniDocument(*text).Get(kSettingsSection, name).value_or(std::string());
}

bool SettingsStore::WriteString(std::string_view name, std::string_view value) const {
    std::error_code error;
    auto text = ReadFileBytes(file_, error, kSettingsFileLimit);
    // A file that exists but cannot be read is left alone rather than replaced.
    if (!text && error != std::errc::no_such_file_or_directory) return false;
    IniDocument document(text.value_or(std::string()));
    if (!document.Set(kSettingsSection, name, value)) return false;
    return CreateKey() && WriteFileAtomically(file_, document.Text());
}

}  // namespace vantrel
