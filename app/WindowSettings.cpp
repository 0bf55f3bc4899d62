#include "app/WindowSettings.h"

#include <cstdio>

namespace vantrel {

namespace {

// "x,y,width,height", each a whole number, the size at least 1.
std::optional<WindowPlace> ParsePlace(const std::string& text) {
    WindowPlace place;
    char end = '\0';
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &place.x, &place.y, &place.width,
                    &place.height, &end) != 4 ||
        place.width < 1 || place.height < 1)
        return std::nullopt;
    return place;
}

std::string PlaceText(const WindowPlace& place) {
    return std::to_string(place.x) + "," + std::to_string(place.y) + "," +
           std::to_string(place.width) + "," + std::to_string(place.height);
}

}  // namespace

WindowState ReadWindowState(const SettingsStore& settings) {
    WindowState state;
    state.place = ParsePlace(settings.ReadString("window"));
    state.maximized = settings.ReadString("maximized") == "1";
    state.page = settings.ReadString("page");
    state.imperial = settings.ReadString("unit") == "imperial";
    const std::string zone = settings.ReadString("zone");
    if (!zone.empty()) state.zone = ParseZoneOffset(zone);
    return state;
}

bool WriteWindowState(const SettingsStore& settings, const WindowState& state) {
    const std::pair<const char*, std::string> values[] = {
        {"window", state.place ? PlaceText(*state.place) : std::string()},
        {"maximized", state.maximized ? "1" : "0"},
        {"page", state.page},
        {"unit", state.imperial ? "imperial" : "metric"}};
    bool written = true;
    for (const auto& [name, value] : values)
        written = settings.WriteString(name, value) && written;
    return written;
}

bool WriteChosenZone(const SettingsStore& settings, ZoneOffset zone) {
    return settings.WriteString("zone", ZoneText(zone));
}

}  // namespace vantrel
