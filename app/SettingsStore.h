#pragma once
// The program's stored settings: an INI file in the user's config folder,
// $XDG_CONFIG_HOME/vantrel/vantrel.ini (~/.config when the variable is unset
// or not an absolute path). All values sit in one section named after the
// program's settings key; names are matched ignoring case, so "language"
// and "Language" are the same value.

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view kSettingsSection = "Software\\vantrel\\gpsapp\\1.0";

// A folder of the user's: the XDG variable's value when it is an absolute
// path, else `besideHome` (".config", ".cache") in the home folder.
std::filesystem::path UserFolderFor(const char* xdgValue, const char* home,
                                    std::string_view besideHome);
// The settings file for the given environment values (either may be null).
std::filesystem::path SettingsPathFor(const char* xdgConfigHome, const char* home);
// The settings file of this process's environment.
std::filesystem::path DefaultSettingsPath();

class SettingsStore {
  public:
    explicit SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& File() const { return file_; }

    // Creates the settings folder when it is missing.
    bool CreateKey() const;
    // The value, or empty text when it (or the file) is missing.
    std::string ReadString(std::string_view name) const;
    // Stores the value, creating folder and file as needed. The file is
    // replaced atomically; false when it could not be written or the value
    // holds a line break.
    bool WriteString(std::string_view name, std::string_view value) const;

  private:
    std::filesystem::path file_;
};

}  // namespace vantrel
