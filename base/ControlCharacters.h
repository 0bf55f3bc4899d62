#pragma once
// Characters that change how text is shown instead of showing themselves:
// the C0 controls and DEL (ESC begins a terminal's commands), the C1
// controls, and the bidirectional formatting characters, which reorder what
// follows them (U+202E shows "gpx.exe" as "exe.xpg"). Text from files and
// from the device shows them escaped, never raw.

namespace vantrel {

constexpr bool IsBidiControl(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

constexpr bool IsHiddenControl(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || IsBidiControl(c);
}

}  // namespace vantrel
