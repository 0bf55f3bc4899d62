#include "app/Startup.h"

#include "device/DeviceLink.h"

namespace vantrel {

namespace {

// Runs a check; while it fails, asks the user. Cancel asks the window to
// close, Continue goes on without the check, Try Again runs it again.
void CheckWithPrompt(StartupContext& c, const std::function<bool()>& check,
                     std::string_view failureText) {
    while (!check()) {
        switch (c.host.AskCancelTryAgainContinue(failureText, "Error")) {
            case PromptAnswer::Cancel:
                c.TerminateRequested = true;
                return;
            case PromptAnswer::Continue:
                return;
            case PromptAnswer::TryAgain:
                break;
        }
    }
}

// A step that always lets the sequence go on.
NamedStep Step(std::string_view name, std::function<void()> action) {
    return {name, [action = std::move(action)] {
                action();
                return true;
            }};
}

void ComputeLocalZoneOffset(StartupContext& c) {
    const auto& zone = c.zone;
    c.values.LocalZoneOffset =
        zone ? LocalZoneOffsetFromBias(zone->bias, c.DaylightInEffect, zone->daylightBias)
             : ZoneOffset{};
    std::string text = ZoneText(c.values.LocalZoneOffset);
    c.texts.SetText("comboTimeZone", SlotKind::Text, text);
    c.texts.SetText("comboTimeZoneTrk", SlotKind::Text, text);
}

}  // namespace

std::vector<NamedStep> StartupSequence(StartupContext& c) {
    return {
        Step("CentreWindow", [&c] { c.host.CentreWindow(); }),
        Step("EnableLogoTimer", [&c] { c.host.EnableLogoTimer(); }),
        Step("CreateSettingsKey", [&c] { c.settings.CreateKey(); }),
        Step("LoadIcons", [&c] { c.host.LoadIcons(c.dataDirectory); }),
        Step("ReadTimeZone",
             [&c] {
                 CheckWithPrompt(
                     c, [&c] { return (c.zone = c.probes.readZone()).has_value(); },
                     kNoTimeZoneText);
             }),
        Step("QueryDaylight", [&c] { c.DaylightInEffect = c.zone && c.zone->daylight; }),
        Step("CheckInternet",
             [&c] { CheckWithPrompt(c, c.probes.hasInternet, kNoInternetText); }),
        Step("ShowMapSheet", [&c] { c.host.ShowMapSheet(); }),
        Step("StoreAppDirectory", [&c] { c.values.AppDirectory = c.dataDirectory.string(); }),
        Step("ReadDecimalSeparator",
             [&c] { ApplyRadixText(c.values.Numbers, c.probes.userRadix()); }),
        Step("ApplyStoredLanguage", [&c] { c.languages.ApplyStoredLanguage(); }),
        Step("LoadMapPages", [&c] { c.host.LoadMapPages(c.values.AppDirectory); }),
        Step("CreateScratchGrid", [&c] { c.host.CreateScratchGrid(); }),
        Step("WriteGridHeadings", [&c] { WriteGridHeadings(c.grids, c.values.ColumnTitles); }),
        Step("ComputeLocalZoneOffset", [&c] { ComputeLocalZoneOffset(c); }),
    };
}

std::vector<NamedStep> DeviceProbeSequence(ProbeContext& c) {
    return {
        Step("DisableLogoTimer", [&c] { c.host.DisableLogoTimer(); }),
        Step("ShowSplash", [&c] { c.host.ShowSplash(); }),
        {"FindDevicePort",
         [&c] {
             c.DevicePortName = c.probe.FindDevicePort();
             if (!c.DevicePortName.empty()) return true;
             c.messages.ShowMessage(kDeviceNotFoundText, "Error");
             return false;
         }},
        Step("OpenPortOnce",
             [&c] {
                 if (auto error = c.probe.OpenOnce(c.DevicePortName))
                     c.messages.ShowMessage(*error, "Error");
             }),
    };
}

}  // namespace vantrel
