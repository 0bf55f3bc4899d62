#include "app/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vantrel {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::string ForScript(std::string_view cell, const NumberFormat& format) {
    return ReplaceAll(cell, format.CommaText, ".");
}

namespace {

// Checks the shape [sign] digits [sep digits] [(e|E) [sign] digits] and returns
// the same text with the separator turned into '.', or nullopt.
std::optional<std::string> NormaliseFloat(std::string_view text, char sep) {
    std::string out;
    std::size_t i = 0;
    auto digits = [&] {
        std::size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            out.push_back(text[i++]);
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) out.push_back(text[i++]);
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == sep) {
        out.push_back('.');
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        out.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) out.push_back(text[i++]);
        if (digits() == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return out;
}

}  // namespace

std::optional<double> ParseFloat(std::string_view text, char decimalSeparator) {
    auto normal = NormaliseFloat(TrimBlanks(text), decimalSeparator);
    if (!normal) return std::nullopt;
    const char* begin = normal->c_str();
    if (*begin == '+') ++begin;
    double value = 0;
    auto [end, ec] = std::from_chars(begin, normal->c_str() + normal->size(), value);
    if (ec != std::errc() || end != normal->c_str() + normal->size()) return std::nullopt;
    return value;
}

std::optional<double> CellToFloat(std::string_view cell, const NumberFormat& format) {
    return ParseFloat(ForScript(cell, format), '.');
}

std::optional<std::int64_t> ParseInt(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string out(buffer);
    // A value that rounds to zero is shown without a minus sign.
    if (out.front() == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
    if (decimalSeparator != '.') {
        auto dot = out.find('.');
        if (dot != std::string::npos) out[dot] = decimalSeparator;
    }
    return out;
}

std::string FormatGeneral(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    // Round to 15 significant digits first, then decide the notation from the
    // rounded value's exponent.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string text(buffer);
    auto ePos = text.find('e');
    int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (std::isdigit(static_cast<unsigned char>(text[i]))) digits.push_back(text[i]);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += decimalSeparator + digits.substr(1);
        out += "E" + std::to_string(exponent);
        return out;
    }
    if (exponent < 0) {
        out += "0";
        out += decimalSeparator;
        out += std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        return out;
    }
    auto intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
        out += digits + std::string(intDigits - digits.size(), '0');
    } else {
        out += digits.substr(0, intDigits);
        out += decimalSeparator;
        out += digits.substr(intDigits);
    }
    return out;
}

}  // namespace vantrel
