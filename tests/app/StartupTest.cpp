#include "app/Startup.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

#include "support/RecordingMessages.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using testing::RecordingMessages;
using testing::ScratchFolder;
using testing::ShownMessage;
using testing::WriteFile;

// A window that records its visual steps and answers prompts from a script.
class FakeWindow : public StartupHost {
  public:
    void CentreWindow() override { calls.push_back("CentreWindow"); }
    void LoadMapPages(const std::string& appDirectory) override {
        calls.push_back("LoadMapPages " + appDirectory);
    }
    void ShowSplash() override { calls.push_back("ShowSplash"); }
    PromptAnswer AskCancelTryAgainContinue(std::string_view text,
                                           std::string_view caption) override {
        prompts.push_back({std::string(text), std::string(caption)});
        PromptAnswer answer = answers.empty() ? PromptAnswer::Continue : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }

    std::vector<std::string> calls;
    std::vector<ShownMessage> prompts;
    std::deque<PromptAnswer> answers;
};

class StartupTest : public ::testing::Test {
  protected:
    StartupTest() {
        std::string english;
        for (const auto& line : std::vector<std::string>(kLanguageLineCount, "en"))
            english += line + "\r\n";
        WriteFile(data / "language" / "ENGLISH.man", english);
        WriteFile(data / "language" / "GERMAN.man", "Deutsch\r\n");
        context.probes.readZone = [] { return ZoneBias{300, true, -60}; };
        context.probes.hasInternet = [] { return true; };
        context.probes.userRadix = [] { return std::string(","); };
    }

    StepsOutcome Run() { return RunSteps(StartupSequence(context), messages, kApplicationTitle); }

    ScratchFolder data;
    ScratchFolder config;
    AppValues values;
    UiTexts texts;
    SettingsStore settings{config / "vantrel" / "vantrel.ini"};
    RecordingMessages messages;
    TextGrid plan{3, 256};
    LanguageFiles languages{
        values, texts, settings, messages, CodePage("UTF-8"), HeadedGrids{.plan = &plan}};
    FakeWindow window;
    StartupContext context{
        values, texts,      languages, settings, HeadedGrids{.plan = &plan},
        window, data.Path()};
};

TEST_F(StartupTest, RunsEveryStepInOrderAndSetsTheSharedValues) {
    std::vector<std::string_view> names;
    for (const auto& step : StartupSequence(context))
        names.push_back(step.name);
    EXPECT_EQ(names, (std::vector<std::string_view>{
                         "CentreWindow", "EnableLogoTimer", "CreateSettingsKey", "LoadIcons",
                         "ReadTimeZone", "QueryDaylight", "CheckInternet", "ShowMapSheet",
                         "StoreAppDirectory", "ReadDecimalSeparator", "ApplyStoredLanguage",
                         "LoadMapPages", "CreateScratchGrid", "WriteGridHeadings",
                         "ComputeLocalZoneOffset"}));

    StepsOutcome outcome = Run();
    EXPECT_EQ(outcome.completed, names.size());
    EXPECT_FALSE(outcome.stoppedEarly);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(window.prompts.empty());
    EXPECT_EQ(values.AppDirectory, data.Path().string());
    EXPECT_EQ(values.Numbers.DecimalSeparatorText, ",");
    EXPECT_EQ(values.LocalZoneOffset, ZoneOffset::Hours(-4));
    EXPECT_EQ(texts.Text("comboTimeZone", SlotKind::Text), "-4");
    EXPECT_EQ(texts.Text("comboTimeZoneTrk", SlotKind::Text), "-4");
    EXPECT_EQ(texts.Caption(), "en1.2.25");  // nothing stored: the preset language
    EXPECT_EQ(texts.Text("comboLang", SlotKind::Text), "ENGLISH");
    EXPECT_EQ(values.ColumnTitles[0], "en");
    EXPECT_EQ(plan.Cell(0, 0), values.ColumnTitles[8]);
    // The map pages load after the language is applied, from the data folder.
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"CentreWindow", "LoadMapPages " + data.Path().string()}));
}

TEST_F(StartupTest, TheStoredLanguageIsAppliedWhenItsFileIsThere) {
    ASSERT_TRUE(settings.WriteString("language", "GERMAN"));
    Run();
    EXPECT_EQ(texts.Caption(), "Deutsch1.2.25");
    EXPECT_EQ(texts.Text("comboLang", SlotKind::Text), "GERMAN");
    EXPECT_EQ(languages.AppliedLanguage(), "GERMAN");
    EXPECT_EQ(settings.ReadString("language"), "GERMAN");

    // A stored language whose file has gone gives way to the preset one.
    ASSERT_TRUE(settings.WriteString("language", "KLINGON"));
    Run();
    EXPECT_EQ(texts.Caption(), "en1.2.25");
    EXPECT_EQ(texts.Text("comboLang", SlotKind::Text), "ENGLISH");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupTest, AZoneWithMinutesKeepsThem) {
    context.probes.readZone = [] { return ZoneBias{-330, false, 0}; };  // India
    Run();
    EXPECT_EQ(values.LocalZoneOffset, ZoneOffset{330});
    EXPECT_EQ(texts.Text("comboTimeZone", SlotKind::Text), "5:30");
    EXPECT_EQ(texts.Text("comboTimeZoneTrk", SlotKind::Text), "5:30");
}

TEST_F(StartupTest, CancelAsksToCloseButTheSequenceRunsToItsEnd) {
    context.probes.hasInternet = [] { return false; };
    window.answers = {PromptAnswer::Cancel};
    StepsOutcome outcome = Run();
    EXPECT_EQ(window.prompts, (std::vector<ShownMessage>{{std::string(kNoInternetText), "Error"}}));
    EXPECT_TRUE(context.TerminateRequested);
    EXPECT_FALSE(outcome.stoppedEarly);
    EXPECT_EQ(values.LocalZoneOffset, ZoneOffset::Hours(-4));
}

TEST_F(StartupTest, TryAgainRepeatsTheCheckAndContinueGoesOnWithoutIt) {
    int reads = 0;
    context.probes.readZone = [&reads]() -> std::optional<ZoneBias> {
        return ++reads < 2 ? std::nullopt : std::optional<ZoneBias>(ZoneBias{-480, false, 0});
    };
    int checks = 0;
    context.probes.hasInternet = [&checks] { return ++checks > 5; };
    window.answers = {PromptAnswer::TryAgain, PromptAnswer::TryAgain, PromptAnswer::Continue};
    Run();
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(window.prompts, (std::vector<ShownMessage>{{std::string(kNoTimeZoneText), "Error"},
                                                         {std::string(kNoInternetText), "Error"},
                                                         {std::string(kNoInternetText), "Error"}}));
    EXPECT_FALSE(context.TerminateRequested);
    EXPECT_EQ(values.LocalZoneOffset, ZoneOffset::Hours(8));
    EXPECT_EQ(texts.Text("comboTimeZone", SlotKind::Text), "8");
}

TEST_F(StartupTest, AMissingZoneGivesOffsetZeroAndAFailingStepEndsTheSequence) {
    context.probes.readZone = [] { return std::nullopt; };
    context.probes.userRadix = []() -> std::string { throw std::runtime_error("no locale"); };
    StepsOutcome outcome = Run();
    EXPECT_TRUE(outcome.stoppedEarly);
    EXPECT_EQ(outcome.completed, 9u);  // up to StoreAppDirectory
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"no locale", "Vantrel Ver1.2"}}));
    EXPECT_EQ(texts.Caption(), std::string(kBuiltInCaption));
    EXPECT_FALSE(context.DaylightInEffect);
}

TEST_F(StartupTest, TheProbeReportsAMissingDeviceOrAPortThatWillNotOpen) {
    std::vector<std::string> opened;
    ProbeContext probe{window, messages,
                       DeviceProbe{[] { return std::string(); },
                                   [&](const std::string& port) -> std::optional<std::string> {
                                       opened.push_back(port);
                                       return "Cannot open " + port;
                                   }}};
    StepsOutcome outcome = RunSteps(DeviceProbeSequence(probe), messages, kApplicationTitle);
    EXPECT_TRUE(outcome.stoppedEarly);
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"Vantrel Not Found!", "Error"}}));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(window.calls, std::vector<std::string>{"ShowSplash"});

    messages.shown.clear();
    probe.probe.FindDevicePort = [] { return std::string("/dev/ttyUSB0"); };
    outcome = RunSteps(DeviceProbeSequence(probe), messages, kApplicationTitle);
    EXPECT_FALSE(outcome.stoppedEarly);
    EXPECT_EQ(opened, std::vector<std::string>{"/dev/ttyUSB0"});
    EXPECT_EQ(
        messages.shown,
        (std::vector<ShownMessage>{{"Cannot open /dev/ttyUSB0", "Error"}}));
    EXPECT_EQ(probe.DevicePortName, "/dev/ttyUSB0");
}

}  // namespace
}  // namespace vantrel
