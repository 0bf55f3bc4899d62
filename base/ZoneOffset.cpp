#include "base/ZoneOffset.h"

#include <cstdio>
#include <cstdlib>

namespace vantrel {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// One or two digits, the whole text.
std::optional<int> SmallNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string ZoneText(ZoneOffset zone) {
    const int magnitude = std::abs(zone.minutes);
    char text[16];
    if (magnitude % 60 == 0)
        std::snprintf(text, sizeof text, "%i", zone.minutes / 60);
    else
        std::snprintf(text, sizeof text, "%s%i:%02i", zone.minutes < 0 ? "-" : "", magnitude / 60,
                      magnitude % 60);
    return text;
}

std::string IsoOffsetText(ZoneOffset zone) {
    const int magnitude = std::abs(zone.minutes);
    char text[16];
    std::snprintf(text, sizeof text, "%c%02i:%02i", zone.minutes < 0 ? '-' : '+', magnitude / 60,
                  magnitude % 60);
    return text;
}

std::optional<ZoneOffset> ParseZoneOffset(std::string_view text) {
    text = TrimBlanks(text);
    int sign = 1;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    const std::size_t colon = text.find(':');
    auto hours = SmallNumber(text.substr(0, colon));
    std::optional<int> minutes = 0;
    if (colon != std::string_view::npos) {
        const std::string_view tail = text.substr(colon + 1);
        minutes = tail.size() == 2 ? SmallNumber(tail) : std::nullopt;
    }
    if (!hours || !minutes || *minutes > 59) return std::nullopt;
    const int total = sign * (*hours * 60 + *minutes);
    if (total < kMinZoneMinutes || total > kMaxZoneMinutes) return std::nullopt;
    return ZoneOffset{total};
}

}  // namespace vantrel
