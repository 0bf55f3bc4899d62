#pragma once
// A language file's lines and the window's texts: applying the lines to the
// texts and reading the texts back out as lines. Line 0 is the caption, lines
// 1 to 10 the column titles, then one line per slot of UiSlots().

#include <string>
#include <vector>

#include "base/AppValues.h"
#include "locale/CodePage.h"
#include "locale/UiComponents.h"
#include "locale/UiTexts.h"

namespace vantrel {

// The longest line a language file may hold, in characters, and so the most
// bytes a file of kLanguageLineCount such lines can take (four bytes a
// character in UTF-8 or UTF-16, a line break each, a byte-order mark).
inline constexpr std::size_t kMaxLanguageLineLength = 1024;
inline constexpr std::size_t kMaxLanguageFileBytes =
    3 + std::size_t{kLanguageLineCount} * (4 * kMaxLanguageLineLength + 2);

// The reason a file's lines are refused ("line N has M characters, more than
// the 1024 a language line may hold", N from 1), or empty text.
std::string CheckLanguageLines(const std::vector<std::string>& lines);

// Sets the caption to line 0 followed by VersionText, the column titles to
// lines 1 to 10 and every slot to its line. Lines the file lacks read as
// empty text; lines past the last slot are ignored. The combo boxes' lines
// are passed over: their texts are values the user chose (the language, the
// time zone, the port), which a language never changes.
void ApplyLanguageText(const std::vector<std::string>& lines, UiTexts& texts,
                       ColumnTitleSet& titles);

// The texts as a language file holds them: the caption as it currently reads,
// the column titles, then every slot (kLanguageLineCount lines).
std::vector<std::string> UiTextLines(const UiTexts& texts, const ColumnTitleSet& titles);

// The bytes of the lines in a file: each line converted to the code page and
// ended with CR LF.
std::string EncodeLines(const std::vector<std::string>& lines, const CodePage& codePage);

}  // namespace vantrel
