#include "app/LanguageFiles.h"

#include <gtest/gtest.h>

#include "locale/LanguageText.h"
#include "support/RecordingMessages.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using testing::ReadFile;
using testing::RecordingMessages;
using testing::ScratchFolder;
using testing::ShownMessage;
using testing::WriteFile;

// A language file's bytes: UTF-8 with a byte-order mark, lines ended CR LF.
std::string LanguageFile(const std::vector<std::string>& lines) {
    std::string bytes = "\xEF\xBB\xBF";
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

class LanguageFilesTest : public ::testing::Test {
  protected:
    LanguageFilesTest() {
        values.AppDirectory = app.Path().string();
        std::vector<std::string> german(kLanguageLineCount, "de");
        german[0] = "Vantrel ";
        german[6] = "Breitengrad";
        german[17] = "GERMAN";
        WriteFile(app / "language" / "GERMAN.man", LanguageFile(german));
    }

    ScratchFolder app;
    ScratchFolder config;
    AppValues values;
    UiTexts texts;
    SettingsStore settings{config / "vantrel.ini"};
    RecordingMessages messages;
    TextGrid plan{3, 256};
    TextGrid poi{3, 256};
    LanguageFiles languages{values,
                            texts,
                            settings,
                            messages,
                            CodePage("CP1252"),
                            HeadedGrids{.plan = &plan, .poi = &poi}};
};

TEST_F(LanguageFilesTest, ChoosingALanguageStoresItAndAppliesItsFile) {
    texts.SetText("comboLang", SlotKind::Text, "GERMAN");
    languages.comboLangChange();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(settings.ReadString("language"), "GERMAN");
    EXPECT_EQ(texts.Caption(), "Vantrel 1.2.25");
    EXPECT_EQ(texts.Text("sheetMap", SlotKind::Caption), "de");
    EXPECT_EQ(languages.LanguageLines().size(), static_cast<std::size_t>(kLanguageLineCount));
    // The grid headings follow the new titles (latitude before longitude).
    EXPECT_EQ(plan.Cell(1, 0), "Breitengrad");
    EXPECT_EQ(poi.Cell(1, 0), "Breitengrad");
}

TEST_F(LanguageFilesTest, ALanguageLeavesTheValuesTheUserChoseInTheComboBoxes) {
    // A file whose combo box lines name another language, zone and port.
    std::vector<std::string> lines(kLanguageLineCount, "first");
    lines[17] = "GERMAN";
    lines[40] = "+0";
    lines[62] = "+0";
    lines[66] = "comboPort";
    WriteFile(app / "language" / "FIRST.man", LanguageFile(lines));
    texts.SetText("comboLang", SlotKind::Text, "FIRST");
    texts.SetText("comboTimeZone", SlotKind::Text, "+5:30");
    texts.SetText("comboTimeZoneTrk", SlotKind::Text, "+5:30");
    texts.SetText("comboPort", SlotKind::Text, "/dev/ttyUSB0");
    languages.comboLangChange();
    EXPECT_EQ(texts.Text("sheetMap", SlotKind::Caption), "first");
    EXPECT_EQ(texts.Text("comboLang", SlotKind::Text), "FIRST");
    EXPECT_EQ(texts.Text("comboTimeZone", SlotKind::Text), "+5:30");
    EXPECT_EQ(texts.Text("comboTimeZoneTrk", SlotKind::Text), "+5:30");
    EXPECT_EQ(texts.Text("comboPort", SlotKind::Text), "/dev/ttyUSB0");
    EXPECT_EQ(settings.ReadString("language"), "FIRST");
}

TEST_F(LanguageFilesTest, OnlyAnotherLanguageIsLoadedAndOnlyALoadedOneIsStored) {
    texts.SetText("comboLang", SlotKind::Text, "GERMAN");
    languages.comboLangChange();
    ASSERT_EQ(languages.AppliedLanguage(), "GERMAN");
    // Picking the language in force again reads nothing and changes nothing.
    WriteFile(app / "language" / "GERMAN.man", LanguageFile({"changed"}));
    texts.SetText("sheetMap", SlotKind::Caption, "mine");
    languages.comboLangChange();
    EXPECT_EQ(texts.Text("sheetMap", SlotKind::Caption), "mine");
    EXPECT_EQ(texts.Caption(), "Vantrel 1.2.25");

    // A language whose file is missing is reported, not stored, and the
    // chooser shows the language in force again.
    texts.SetText("comboLang", SlotKind::Text, "FRENCH");
    languages.comboLangChange();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(texts.Text("comboLang", SlotKind::Text), "GERMAN");
    EXPECT_EQ(settings.ReadString("language"), "GERMAN");
    EXPECT_EQ(languages.AppliedLanguage(), "GERMAN");
}

TEST_F(LanguageFilesTest, RefusedOrUnreadableFilesLeaveEveryTextAndTellTheUser) {
    UiTexts before = texts;
    // A file past the size 98 lines can take (an endless one too), and a
    // line longer than a language line may be.
    std::filesystem::create_symlink("/dev/zero", app / "language" / "ZERO.man");
    std::vector<std::string> wide(kLanguageLineCount, "w");
    wide[5] = std::string(kMaxLanguageLineLength, 'x') + "\xC3\xA9";
    WriteFile(app / "language" / "WIDE.man", LanguageFile(wide));
    for (const char* name : {"../GERMAN", "sub/GERMAN", "FRENCH", "ZERO", "WIDE"}) {
        const std::size_t shown = messages.shown.size();
        EXPECT_FALSE(languages.LoadLanguage(name)) << name;
        ASSERT_EQ(messages.shown.size(), shown + 1) << name;
        EXPECT_EQ(messages.shown.back().caption, "Error");
        for (std::size_t i = 0; i < texts.SlotCount(); ++i)
            EXPECT_EQ(texts.SlotText(i), before.SlotText(i));
        EXPECT_EQ(texts.Caption(), before.Caption());
    }
    ASSERT_EQ(messages.shown.size(), 5u);
    EXPECT_NE(messages.shown[2].text.find("FRENCH.man"), std::string::npos);
    EXPECT_NE(messages.shown[3].text.find("ZERO.man is larger than the " +
                                          std::to_string(kMaxLanguageFileBytes) +
                                          " bytes a language file can be"),
              std::string::npos)
        << messages.shown[3].text;
    EXPECT_NE(messages.shown[4].text.find(
                  "WIDE.man: line 6 has 1025 characters, more than the 1024 a language line"),
              std::string::npos)
        << messages.shown[4].text;
    EXPECT_EQ(values.ColumnTitles, DefaultColumnTitles());
    EXPECT_TRUE(plan.Cell(0, 0).empty());
}

TEST_F(LanguageFilesTest, ListingOffersTheFilesOrTellsThatThereAreNone) {
    ASSERT_TRUE(languages.ListLanguages());
    EXPECT_EQ(languages.ChooserItems(), std::vector<std::string>{"GERMAN"});
    std::filesystem::remove(app / "language" / "GERMAN.man");
    EXPECT_FALSE(languages.ListLanguages());
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"Language File Not Found! ", "Error"}}));
    EXPECT_EQ(languages.ChooserItems(), std::vector<std::string>{"GERMAN"});
}

TEST_F(LanguageFilesTest, WriteUiTextAppendsTheCurrentTextsEachTime) {
    ScratchFolder out;
    texts.SetText("lblStart", SlotKind::Caption,
                  "D\xC3\xA9"
                  "but:");
    languages.WriteUiText(out.Path());
    languages.WriteUiText(out.Path());
    EXPECT_EQ(messages.shown,
              (std::vector<ShownMessage>{{"Write UI Text to ENGLISH.MAN", "TOOLS"},
                                         {"Write UI Text to ENGLISH.MAN", "TOOLS"}}));
    std::string once = EncodeLines(UiTextLines(texts, values.ColumnTitles), CodePage("CP1252"));
    EXPECT_NE(once.find("D\xE9"
                        "but:\r\n"),
              std::string::npos);  // in the code page
    EXPECT_EQ(ReadFile(out / "ENGLISH.MAN"), once + once);

    // Applying what was written (after the first start-up application) leaves
    // every text except the caption, which gains a second version.
    std::filesystem::remove(out / "ENGLISH.MAN");
    ApplyLanguageText(UiTextLines(texts, values.ColumnTitles), texts, values.ColumnTitles);
    UiTexts before = texts;
    languages.WriteUiText(app / "language");
    ASSERT_TRUE(languages.LoadLanguage("ENGLISH"));
    EXPECT_EQ(texts.Caption(), before.Caption() + VersionText);
    EXPECT_EQ(values.ColumnTitles, DefaultColumnTitles());
    for (std::size_t i = 0; i < texts.SlotCount(); ++i)
        EXPECT_EQ(texts.SlotText(i), before.SlotText(i)) << UiSlots()[i].component;

    // Errors are swallowed: a file where a folder should be.
    languages.AppendTextLine(app / "language" / "ENGLISH.MAN" / "x", "text");
    EXPECT_EQ(messages.shown.size(), 3u);
}

}  // namespace
}  // namespace vantrel
