#pragma once
// The language chooser of the Data tab and the language files behind it:
// listing the files, storing the chosen name, loading a file and applying its
// lines to the window's texts and column titles, and writing the current
// texts out as a file to start a translation from.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/GridHeadings.h"
#include "app/SettingsStore.h"
#include "base/AppValues.h"
#include "base/UserMessages.h"
#include "locale/CodePage.h"
#include "locale/UiTexts.h"

namespace vantrel {

inline constexpr std::string_view kLanguageSetting = "language";
// The language the chooser starts with when none is stored.
inline constexpr std::string_view kPresetLanguage = "ENGLISH";
inline constexpr std::string_view kUiTextFileName = "ENGLISH.MAN";

class LanguageFiles {
  public:
    LanguageFiles(AppValues& values, UiTexts& texts, const SettingsStore& settings,
                  UserMessages& messages, CodePage codePage, HeadedGrids grids);

    // The language chooser's list.
    const std::vector<std::string>& ChooserItems() const { return chooserItems_; }
    // The lines of the last file loaded, as the language page lists them.
    const std::vector<std::string>& LanguageLines() const { return languageLines_; }

    // Refills the chooser's list from the language folder, each time the list
    // opens. Without any file the user is told "Language File Not Found! "
    // and the list stays as it was; returns false then.
    bool ListLanguages();

    // The name of the language in force (empty before the first).
    const std::string& AppliedLanguage() const { return appliedLanguage_; }

    // At start: the stored language when its file is there, else the preset
    // one, shown in the chooser and applied.
    void ApplyStoredLanguage();

    // The chooser's change handler: when its text names another language
    // than the one in force, loads that language and stores its name as the
    // setting "language". Picking the language in force again does nothing.
    // A language that cannot be loaded is not stored, and the chooser goes
    // back to the language in force.
    void comboLangChange();

    // Loads the named language file (see LanguageFilePath for the name
    // rules), applies its lines and rewrites the grid headings; the name is
    // then the language in force. A name that leads outside the language
    // folder, or a file that cannot be read, is reported and leaves every
    // text as it was; returns false then.
    bool LoadLanguage(std::string_view name);

    // The "Write UI Text" tool: tells the user, then appends the current
    // texts as language file lines to ENGLISH.MAN in `folder` (the current
    // folder by default). The file is never emptied first.
    void WriteUiText(const std::filesystem::path& folder = ".");

    // Appends `text` and CR LF, in the code page, to the file (created when
    // missing). Errors are ignored.
    void AppendTextLine(const std::filesystem::path& fileName, std::string_view text) const;

  private:
    void AppendTextLines(const std::filesystem::path& fileName,
                         const std::vector<std::string>& lines) const;

    AppValues& values_;
    UiTexts& texts_;
    const SettingsStore& settings_;
    UserMessages& messages_;
    CodePage codePage_;
    HeadedGrids grids_;
    std::vector<std::string> chooserItems_;
    std::vector<std::string> languageLines_;
    std::string appliedLanguage_;
};

}  // namespace vantrel
