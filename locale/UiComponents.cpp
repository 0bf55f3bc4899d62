#include "locale/UiComponents.h"

#include <array>

namespace vantrel {

namespace {

constexpr std::array<UiComponent, 79> kComponents = {{
    {"sheetMap", "TTabSheet", "Map"},
    {"sheetData", "TTabSheet", "Data"},
    {"Label2", "TLabel", "Language"},
    {"GroupBox1", "TGroupBox", "Units"},
    {"rbMetric", "TRadioButton", "Metric"},
    {"rbImperial", "TRadioButton", "Imperial"},
    {"comboLang", "TComboBox", "ENGLISH"},
    {"GroupBox17", "TGroupBox", "Chart"},
    {"rbPathAltitude", "TRadioButton", "Path Altitude"},
    {"rbPathSpeed", "TRadioButton", "Path Speed"},
    {"sheetPlan", "TTabSheet", "Plan"},
    {"GroupBox13", "TGroupBox", "Device Operations"},
    {"btnLoadPlan", "TSpeedButton", "Download Data From Vantrel"},
    {"btnStorePlan", "TSpeedButton", "Upload Data To Vantrel"},
    {"GroupBox16", "TGroupBox", "File Operations"},
    {"btnOpenPlan", "TBitBtn", "Open", "Open Plan File"},
    {"btnSavePlan", "TBitBtn", "Save", "Save Plan To File"},
    {"sheetPOI", "TTabSheet", "POI"},
    {"Label1", "TLabel", "Time Zone:"},
    {"GroupBox14", "TGroupBox", "Device Operations"},
    {"btnLoadPOI", "TSpeedButton", "Download Data From Vantrel"},
    {"btnStorePoi", "TSpeedButton", "Upload Data To Vantrel"},
    {"GroupBox15", "TGroupBox", "File Operations"},
    {"btnOpenPoi", "TBitBtn", "Open", "Open POI File"},
    {"btnSavePoi", "TBitBtn", "Save", "Save POIs To File"},
    {"comboTimeZone", "TComboBox", "+0"},
    {"sheetTrack", "TTabSheet", "Track"},
    {"Label5", "TLabel", "Time Zone:"},
    {"GroupBox8", "TGroupBox", "Device Operations"},
    {"btnDownloadFrGuider", "TSpeedButton", "Download Data From Vantrel"},
    {"GroupBox9", "TGroupBox", "File Operations"},
    {"btnOpenTrackFile", "TBitBtn", "Open", "Open Track File"},
    {"btnSaveTrackFile", "TBitBtn", "Save", "Save Track Data To File"},
    {"GroupBox10", "TGroupBox", "Track Summaries"},
    {"GroupBox11", "TGroupBox", "Time"},
    {"lblStart", "TLabel", "Start:"},
    {"lblTotal", "TLabel", "Total:"},
    {"lblEnd", "TLabel", "End:"},
    {"GroupBox12", "TGroupBox", "Routes"},
    {"lblDistance", "TLabel", "Distance:"},
    {"Label3", "TLabel", "km"},
    {"Label4", "TLabel", "mi"},
    {"lblPoints", "TLabel", "Points"},
    {"btnDrawMap", "TBitBtn", "Draw", "Draw the Selected Tracks on the Map"},
    {"comboTimeZoneTrk", "TComboBox", "+0"},
    {"sheetStatus", "TTabSheet", "Status"},
    {"GroupBox3", "TGroupBox", "Connection"},
    {"lblComPort", "TLabel", "Serial Port:"},
    {"comboPort", "TComboBox", "comboPort"},
    {"btnAutoFind", "TBitBtn", "Auto Find", ""},
    {"GroupBox4", "TGroupBox", "Guider Settings"},
    {"lblBackLight", "TLabel", "Backlight (seconds):"},
    {"lblSuspend", "TLabel", "Suspend (minutes):"},
    {"btnDownloadGuider", "TSpeedButton", "Load Data From Guider"},
    {"lblTimeZone", "TLabel", "Time Zone (home):"},
    {"lblTimeZoneLocal", "TLabel", "Time Zone (local):"},
    {"lblRoute", "TLabel", "Route (meters):"},
    {"lblUnit", "TLabel", "Unit:"},
    {"GroupBox5", "TGroupBox", "Logger"},
    {"lblRecordTime", "TLabel", "Record Time (seconds):"},
    {"lblRecordDistance", "TLabel", "Record Distance:"},
    {"btnLogger", "TSpeedButton", "Load Logger Data From Guider"},
    {"lblRecordSpeed", "TLabel", "Record Speed:"},
    {"lblStorage", "TLabel", "Storage Usage (%):"},
    {"GroupBox6", "TGroupBox", "Track"},
    {"btnLoadTrack", "TSpeedButton", "Load Track Data From Guider"},
    {"GroupBox7", "TGroupBox", "Data"},
    {"btnLoadData", "TSpeedButton", "Load Track Data From Guider"},
    {"Modify2", "TMenuItem", "Modify"},
    {"Delete1", "TMenuItem", "Delete"},
    {"menuClear", "TMenuItem", "Clear All"},
    {"menuRedraw", "TMenuItem", "Redraw Map"},
    {"Modify1", "TMenuItem", "Modify"},
    {"menuDelete", "TMenuItem", "Delete"},
    {"ClearAll1", "TMenuItem", "Clear All"},
    {"menuDeletePoi", "TMenuItem", "Delete"},
    {"menuClearAll", "TMenuItem", "Clear All"},
    {"WriteUIText1", "TMenuItem", "Write UI Text"},
    {"Exit1", "TMenuItem", "Exit"},
}};

std::vector<UiSlot> BuildSlots() {
    std::vector<UiSlot> slots;
    for (const auto& c : kComponents) {
        auto kinds = SlotKindsOf(c.className);
        for (std::size_t i = 0; i < kinds.size(); ++i)
            slots.push_back({c.name, c.className, kinds[i], i == 0 ? c.firstText : c.secondText});
    }
    return slots;
}

}  // namespace

std::vector<SlotKind> SlotKindsOf(std::string_view className) {
    if (className == "TLabel" || className == "TTabSheet" || className == "TGroupBox" ||
        className == "TRadioButton" || className == "TMenuItem")
        return {SlotKind::Caption};
    if (className == "TBitBtn") return {SlotKind::Caption, SlotKind::Hint};
    if (className == "TComboBox") return {SlotKind::Text};
    if (className == "TSpeedButton") return {SlotKind::Hint};
    return {};
}

std::span<const UiComponent> UiComponents() {
    return kComponents;
}

std::span<const UiSlot> UiSlots() {
    static const std::vector<UiSlot> slots = BuildSlots();
    return slots;
}

int SlotIndex(std::string_view component, SlotKind kind) {
    auto slots = UiSlots();
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (slots[i].component == component && slots[i].kind == kind) return static_cast<int>(i);
    return -1;
}

}  // namespace vantrel
