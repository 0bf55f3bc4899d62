#pragma once
// What the window keeps in the settings file from one run to the next: its
// place on the screen, the page shown, the units and the display offset.
// (The folders the file dialogs start in are kept by the window as it goes.)

#include <optional>
#include <string>

#include "app/SettingsStore.h"
#include "base/ZoneOffset.h"

namespace vantrel {

struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

struct WindowState {
    std::optional<WindowPlace> place;  // nothing: the default size, centred
    bool maximized = false;
    std::string page;        // the page's object name ("sheetTrack"); empty for the first
    bool imperial = false;   // miles and feet rather than kilometres and metres
    // The display offset the user chose; nothing: this computer's offset.
    std::optional<ZoneOffset> zone;
    friend bool operator==(const WindowState&, const WindowState&) = default;
};

// What the file holds; a value that cannot be read counts as missing.
WindowState ReadWindowState(const SettingsStore& settings);
// Writes all but the zone, which is kept only when the user picks one (so
// that this computer's offset is followed as it changes); false when the
// file could not be written.
bool WriteWindowState(const SettingsStore& settings, const WindowState& state);
bool WriteChosenZone(const SettingsStore& settings, ZoneOffset zone);

}  // namespace vantrel
