#pragma once
// The window's start-up as core steps: the sequence the main window runs when
// it is created, and the splash-and-probe sequence it runs on the first tick
// of its logo timer. The window supplies its visual steps and the prompts
// through StartupHost; the platform checks and the device probe are
// injectable so the sequences run headless.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/DecimalSeparator.h"
#include "app/GridHeadings.h"
#include "app/InternetCheck.h"
#include "app/LanguageFiles.h"
#include "app/NamedSteps.h"
#include "app/SettingsStore.h"
#include "base/AppValues.h"
#include "base/UserMessages.h"
#include "locale/TimeZone.h"
#include "locale/UiTexts.h"

namespace vantrel {

// The application's title, also the caption of errors shown during start-up.
inline constexpr std::string_view kApplicationTitle = "Vantrel Ver1.2";

// The start-up checks' prompts, when a check fails.
inline constexpr std::string_view kNoTimeZoneText =
    "Cannot read this computer's time zone; times are shown in UTC until one is chosen.";
inline constexpr std::string_view kNoInternetText =
    "This computer has no internet connection: the maps show their world layer and the tiles "
    "kept from before, and fetch new ones once the connection is back.";

enum class PromptAnswer { Cancel, TryAgain, Continue };

// What start-up needs of the window. The visual steps do nothing by default.
class StartupHost {
  public:
    virtual ~StartupHost() = default;
    virtual void CentreWindow() {}
    virtual void EnableLogoTimer() {}
    virtual void LoadIcons(const std::filesystem::path& /*dataDirectory*/) {}
    virtual void ShowMapSheet() {}
    virtual void LoadMapPages(const std::string& /*appDirectory*/) {}
    virtual void CreateScratchGrid() {}
    virtual void DisableLogoTimer() {}
    // Shows the splash modally; returns when its timer closes it.
    virtual void ShowSplash() {}
    // A message box with the buttons Cancel, Try Again and Continue.
    virtual PromptAnswer AskCancelTryAgainContinue(std::string_view text,
                                                   std::string_view caption) = 0;
};

// The platform checks start-up makes, replaceable in tests.
struct StartupProbes {
    std::function<std::optional<ZoneBias>()> readZone = [] { return ReadSystemZone(); };
    std::function<bool()> hasInternet = [] { return HasDefaultRoute(); };
    std::function<std::string()> userRadix = UserRadixText;
};

struct StartupContext {
    AppValues& values;
    UiTexts& texts;
    LanguageFiles& languages;
    const SettingsStore& settings;
    HeadedGrids grids;
    StartupHost& host;
    std::filesystem::path dataDirectory;  // becomes AppDirectory
    StartupProbes probes = {};

    // Filled in while the steps run.
    std::optional<ZoneBias> zone;
    bool DaylightInEffect = false;
    // Set when the user picked Cancel at a prompt: the window closes once
    // its event loop starts (the remaining steps still run).
    bool TerminateRequested = false;
};

// The start-up sequence, in order.
std::vector<NamedStep> StartupSequence(StartupContext& context);

// The device probe: finding the device's port needs the device protocol,
// which the caller supplies.
struct DeviceProbe {
    // The device's port name, empty when no device was found.
    std::function<std::string()> FindDevicePort;
    // Opens the port once, clears its error state and closes it again; what
    // the user can do about it when it could not be opened.
    std::function<std::optional<std::string>(const std::string& port)> OpenOnce;
};

struct ProbeContext {
    StartupHost& host;
    UserMessages& messages;
    DeviceProbe probe;
    std::string DevicePortName;  // filled in while the steps run
};

// The splash-and-probe sequence, in order.
std::vector<NamedStep> DeviceProbeSequence(ProbeContext& context);

}  // namespace vantrel
