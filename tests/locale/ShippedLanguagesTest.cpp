// The language files shipped in language/: complete, in the right encoding,
// and the English one exactly what the "Write UI Text" tool produces.

#include <gtest/gtest.h>

#include "locale/LanguageText.h"
#include "locale/TextDecoding.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

const std::filesystem::path kLanguageFolder =
    std::filesystem::path(VANTREL_SOURCE_DIR) / "language";

std::vector<std::string> ShippedLines(const std::string& name) {
    std::string bytes = testing::ReadFile(kLanguageFolder / (name + ".man"));
    return SplitLines(DecodeText(bytes, CodePage("ISO-8859-1")));
}

TEST(ShippedLanguages, EnglishIsWhatTheWriteToolWrites) {
    UiTexts texts;
    std::string expected =
        EncodeLines(UiTextLines(texts, DefaultColumnTitles()), CodePage("UTF-8"));
    EXPECT_EQ(testing::ReadFile(kLanguageFolder / "ENGLISH.man"), expected);
}

TEST(ShippedLanguages, TranslationsAreCompleteUtf8FilesNamingThemselves) {
    struct Expected {
        std::string name, latitude;
    };
    for (const auto& [name, latitude] :
         {Expected{"GERMAN", "Breitengrad"}, Expected{"CHINESE", "\xE7\xBA\xAC\xE5\xBA\xA6"}}) {
        std::string bytes = testing::ReadFile(kLanguageFolder / (name + ".man"));
        EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << name;
        EXPECT_EQ(SanitiseUtf8(bytes), bytes) << name;
        auto lines = ShippedLines(name);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLanguageLineCount)) << name;
        // Every CR is followed by LF and every LF preceded by CR.
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), kLanguageLineCount) << name;
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), kLanguageLineCount) << name;

        EXPECT_EQ(lines[kFirstSlotLine + SlotIndex("comboLang", SlotKind::Text)], name);
        UiTexts texts;
        ColumnTitleSet titles = DefaultColumnTitles();
        ApplyLanguageText(lines, texts, titles);
        EXPECT_EQ(titles[5], latitude);
        // The combo boxes keep what the user chose.
        EXPECT_EQ(texts.Text("comboLang", SlotKind::Text), "ENGLISH");
        EXPECT_EQ(texts.Text("comboTimeZone", SlotKind::Text), "+0");
        // Every other text is translated (numbers and the port placeholder aside).
        auto english = ShippedLines("ENGLISH");
        int same = 0;
        for (std::size_t i = 1; i < lines.size(); ++i)
            same += lines[i] == english[i] ? 1 : 0;
        EXPECT_LE(same, 12) << name;
    }
}

}  // namespace
}  // namespace vantrel
