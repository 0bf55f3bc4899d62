#include "map/ScriptText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vantrel {

std::string ScriptNumber(std::string_view cell, const NumberFormat& numbers) {
    std::string text = ForScript(cell, numbers);
    if (!ParseFloat(text, '.')) return "NaN";
    return text;
}

std::string ScriptReal(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    char text[32];
    auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17);
    if (error != std::errc{}) return "NaN";
    return std::string(text, end);
}

std::string AddPointsScript(std::span<const MapPoint> points) {
    std::string script = "if (typeof addPoints === 'function') {";
    script.reserve(script.size() + points.size() * 48 + 2);
    for (const MapPoint& p : points) {
        script += "addPoints(";
        script += ScriptReal(p.latitude);
        script += ',';
        script += ScriptReal(p.longitude);
        script += ");";
    }
    script += '}';
    return script;
}

namespace {

// The escape for one byte of the text, or empty when the byte stays as it is.
std::string EscapeByte(unsigned char c) {
    switch (c) {
        case '\\':
            return "\\\\";
        case '"':
            return "\\\"";
        case '\'':
            return "\\'";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        default:
            break;
    }
    if (c < 0x20 || c == 0x7F) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        return hex;
    }
    return {};
}

}  // namespace

std::string EscapeScriptString(std::string_view text) {
    static constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";
    static constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view rest = text.substr(i);
        if (rest.starts_with(kLineSeparator) || rest.starts_with(kParagraphSeparator)) {
            out += rest.starts_with(kLineSeparator) ? "\\u2028" : "\\u2029";
            i += kLineSeparator.size() - 1;
        } else if (rest.starts_with("</")) {
            out += "<\\/";
            ++i;
        } else if (auto escaped = EscapeByte(static_cast<unsigned char>(text[i]));
                   !escaped.empty()) {
            out += escaped;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace vantrel
