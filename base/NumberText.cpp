#include "base/NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace vantrel {

void AppendReplacingAll(std::string& out, std::string_view text, std::string_view from,
                        std::string_view to) {
    if (from.empty()) {
        out.append(text);
        return;
    }
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    AppendReplacingAll(out, text, from, to);
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
    // Most cells hold no CommaText: they are read as they are.
    if (format.CommaText.empty() || cell.find(format.CommaText) == std::string_view::npos)
        return ParseFloat(cell, '.');
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

namespace {

constexpr int kMaxDecimals = 60;
// Room for the longest fixed text: 309 integer digits of the largest double,
// a sign, a point and the decimals.
constexpr std::size_t kFixedRoom = 320 + kMaxDecimals;

bool OnlyZeros(const char* first, const char* last) {
    return std::all_of(first, last, [](char c) { return c == '0' || c == '.'; });
}

}  // namespace

void AppendFixed(std::string& out, double value, int decimals, char decimalSeparator) {
    if (decimals < 0) decimals = 6;
    decimals = std::min(decimals, kMaxDecimals);
    char buffer[kFixedRoom];
    char* first = buffer;
    char* last = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                               decimals)
                     .ptr;
    // A value that rounds to zero is shown without a minus sign.
    if (*first == '-' && OnlyZeros(first + 1, last)) ++first;
    if (decimalSeparator != '.') std::replace(first, last, '.', decimalSeparator);
    out.append(first, last);
}

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
    std::string out;
    AppendFixed(out, value, decimals, decimalSeparator);
    return out;
}

void AppendGeneral(std::string& out, double value, char decimalSeparator) {
    if (std::isnan(value) || std::isinf(value) || value == 0) {
        out.append(std::isnan(value) ? "NAN" : value > 0 ? "INF" : value < 0 ? "-INF" : "0");
        return;
    }
    // Round to 15 significant digits first ("d.dddddddddddddde+XX"), then
    // decide the notation from the rounded value's exponent.
    char text[32];
    const char* end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14).ptr;
    const char* e = std::find(static_cast<const char*>(text), end, 'e');
    int exponent = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, end, exponent);
    char digits[16];
    std::size_t count = 0;
    for (const char* c = text; c < e; ++c)
        if (*c >= '0' && *c <= '9') digits[count++] = *c;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    if (value < 0) out.push_back('-');
    if (exponent >= 15 || exponent < -5) {
        out.push_back(digits[0]);
        if (count > 1) {
            out.push_back(decimalSeparator);
            out.append(digits + 1, count - 1);
        }
        out.push_back('E');
        AppendPadded(out, exponent, 0);
        return;
    }
    if (exponent < 0) {
        out.push_back('0');
        out.push_back(decimalSeparator);
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(digits, count);
        return;
    }
    const auto intDigits = static_cast<std::size_t>(exponent) + 1;
    if (count <= intDigits) {
        out.append(digits, count);
        out.append(intDigits - count, '0');
        return;
    }
    out.append(digits, intDigits);
    out.push_back(decimalSeparator);
    out.append(digits + intDigits, count - intDigits);
}

std::string FormatGeneral(double value, char decimalSeparator) {
    std::string out;
    AppendGeneral(out, value, decimalSeparator);
    return out;
}

void AppendPadded(std::string& out, long long value, int width) {
    char text[24];
    char* digits = text;
    if (value < 0) {
        out.push_back('-');
        --width;
    }
    // The magnitude as unsigned, so that the lowest value has one too.
    const unsigned long long magnitude =
        value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    char* end = std::to_chars(digits, text + sizeof text, magnitude).ptr;
    if (end - digits < width) out.append(static_cast<std::size_t>(width - (end - digits)), '0');
    out.append(digits, end);
}

std::string Counted(std::size_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

}  // namespace vantrel
