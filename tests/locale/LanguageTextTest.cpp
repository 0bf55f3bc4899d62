#include "locale/LanguageText.h"

#include <gtest/gtest.h>

#include "locale/TextDecoding.h"

namespace vantrel {
namespace {

TEST(UiComponents, SlotsFollowTheWindowsComponentsAndClassRules) {
    auto slots = UiSlots();
    ASSERT_EQ(slots.size(), static_cast<std::size_t>(kLanguageLineCount - kFirstSlotLine));
    auto atLine = [&](int line) { return slots[static_cast<std::size_t>(line - kFirstSlotLine)]; };
    EXPECT_EQ(atLine(17).component, "comboLang");
    EXPECT_EQ(atLine(17).kind, SlotKind::Text);
    EXPECT_EQ(atLine(27).kind, SlotKind::Hint);  // a TBitBtn: caption, then hint
    EXPECT_EQ(atLine(27).component, "btnOpenPlan");
    EXPECT_EQ(atLine(62).component, "comboTimeZoneTrk");
    EXPECT_EQ(atLine(97).component, "Exit1");
    EXPECT_TRUE(SlotKindsOf("TStringGrid").empty());
    EXPECT_TRUE(SlotKindsOf("TLABEL").empty());  // class names match exactly
    EXPECT_EQ(SlotIndex("btnDrawMap", SlotKind::Hint), 61 - kFirstSlotLine);
    EXPECT_EQ(SlotIndex("btnDrawMap", SlotKind::Text), -1);
}

class LanguageTextTest : public ::testing::Test {
  protected:
    UiTexts texts;
    ColumnTitleSet titles = DefaultColumnTitles();
};

TEST_F(LanguageTextTest, AShortFileEmptiesTheRemainingSlotsAndExtraLinesAreIgnored) {
    std::vector<std::string> lines = {"Titel", "Spur", "Farbe"};
    ApplyLanguageText(lines, texts, titles);
    EXPECT_EQ(texts.Caption(), "Titel1.2.25");
    EXPECT_EQ(titles[0], "Spur");
    EXPECT_EQ(titles[1], "Farbe");
    EXPECT_EQ(titles[2], "");
    // Every slot but the combo boxes' (which keep what the user chose).
    for (std::size_t i = 0; i < texts.SlotCount(); ++i)
        EXPECT_EQ(texts.SlotText(i), UiSlots()[i].kind == SlotKind::Text
                                         ? std::string(UiSlots()[i].builtInText)
                                         : std::string())
            << UiSlots()[i].component;

    lines.assign(kLanguageLineCount + 5, "x");
    ApplyLanguageText(lines, texts, titles);
    EXPECT_EQ(texts.Text("Exit1", SlotKind::Caption), "x");
}

TEST_F(LanguageTextTest, LinesAreWrittenInTheCodePageWithCrLf) {
    std::vector<std::string> lines = {"Gr\xC3\xBC\xC3\x9F", "", "\xE4\xB8\xAD"};
    EXPECT_EQ(EncodeLines(lines, CodePage("CP1252")), "Gr\xFC\xDF\r\n\r\n?\r\n");
    EXPECT_EQ(SplitLines(DecodeText(EncodeLines(lines, CodePage("UTF-8")), CodePage("UTF-8"))),
              lines);
}

}  // namespace
}  // namespace vantrel
