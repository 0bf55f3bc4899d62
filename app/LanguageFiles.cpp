#include "app/LanguageFiles.h"

#include "base/AsciiCase.h"
#include "base/AtomicFile.h"
#include "locale/LanguageFolder.h"
#include "locale/LanguageText.h"
#include "locale/TextDecoding.h"

namespace vantrel {

LanguageFiles::LanguageFiles(AppValues& values, UiTexts& texts, const SettingsStore& settings,
                             UserMessages& messages, CodePage codePage, HeadedGrids grids)
    : values_(values),
      texts_(texts),
      settings_(settings),
      messages_(messages),
      codePage_(std::move(codePage)),
      grids_(grids) {}

bool LanguageFiles::ListLanguages() {
    auto names = FindLanguageNames(values_.AppDirectory);
    if (!names) {
        messages_.ShowMessage("Language File Not Found! ", "Error");
        return false;
    }
    chooserItems_ = std::move(*names);
    return true;
}

void LanguageFiles::ApplyStoredLanguage() {
    std::string name = settings_.ReadString(kLanguageSetting);
    std::error_code error;
    auto path = LanguageFilePath(values_.AppDirectory, name);
    if (name.empty() || !path || !std::filesystem::is_regular_file(*path, error))
        name = kPresetLanguage;
    texts_.SetText("comboLang", SlotKind::Text, name);
    LoadLanguage(name);
}

void LanguageFiles::comboLangChange() {
    const std::string name = texts_.Text("comboLang", SlotKind::Text);
    if (EqualIgnoringAsciiCase(name, appliedLanguage_)) return;
    if (!LoadLanguage(name)) {
        texts_.SetText("comboLang", SlotKind::Text, appliedLanguage_);
        return;
    }
    if (!settings_.WriteString(kLanguageSetting, name))
        messages_.ShowMessage("Cannot Save Setting!", "Error");
}

bool LanguageFiles::LoadLanguage(std::string_view name) {
    auto path = LanguageFilePath(values_.AppDirectory, name);
    if (!path) {
        messages_.ShowMessage("Invalid Language Name: " + std::string(name), "Error");
        return false;
    }
    std::error_code error;
    auto bytes = ReadFileBytes(*path, error, kMaxLanguageFileBytes);
    if (error == std::errc::file_too_large) {
        messages_.ShowMessage(TooLargeText(*path, kMaxLanguageFileBytes, "a language file"),
                              "Error");
        return false;
    }
    if (!bytes) {
        messages_.ShowMessage("Cannot open file \"" + path->string() + "\". " + error.message(),
                              "Error");
        return false;
    }
    auto lines = SplitLines(DecodeText(*bytes, codePage_));
    if (std::string refused = CheckLanguageLines(lines); !refused.empty()) {
        messages_.ShowMessage(path->string() + ": " + refused, "Error");
        return false;
    }
    languageLines_ = std::move(lines);
    ApplyLanguageText(languageLines_, texts_, values_.ColumnTitles);
    WriteGridHeadings(grids_, values_.ColumnTitles);
    appliedLanguage_ = std::string(name);
    return true;
}

void LanguageFiles::WriteUiText(const std::filesystem::path& folder) {
    messages_.ShowMessage("Write UI Text to ENGLISH.MAN", "TOOLS");
    AppendTextLines(folder / kUiTextFileName, UiTextLines(texts_, values_.ColumnTitles));
}

void LanguageFiles::AppendTextLine(const std::filesystem::path& fileName,
                                   std::string_view text) const {
    AppendTextLines(fileName, {std::string(text)});
}

void LanguageFiles::AppendTextLines(const std::filesystem::path& fileName,
                                    const std::vector<std::string>& lines) const {
    AppendToFileAtomically(fileName, EncodeLines(lines, codePage_));
}

}  // namespace vantrel
