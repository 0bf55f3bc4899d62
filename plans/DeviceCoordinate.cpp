#include "plans/DeviceCoordinate.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

#include "base/NumberText.h"

namespace vantrel {

namespace {

constexpr int kScaleDigits = 5;  // degrees x 100000

struct DecimalParts {
    bool negative = false;
    std::string digits;   // every mantissa digit, the decimal point removed
    long long point = 0;  // digits before the decimal point, after the exponent
};

// Splits text that ParseFloat accepted: [sign] digits [sep digits] [e [sign] digits].
DecimalParts SplitDecimal(std::string_view text, char separator) {
    DecimalParts parts;
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (text[i] == '+' || text[i] == '-') parts.negative = text[i++] == '-';
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == separator) {
            seenSeparator = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            parts.digits += c;
            if (!seenSeparator) ++parts.point;
        } else {
            break;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (text[i] == '+') ++i;
        long long exponent = 0;
        auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), exponent);
        if (ec == std::errc::result_out_of_range) exponent = *(text.data() + i) == '-' ? -99 : 99;
        parts.point += std::clamp(exponent, -99LL, 99LL);
    }
    return parts;
}

}  // namespace

std::optional<std::int32_t> DegreesToDevice(std::string_view cell, char separator) {
    if (!ParseFloat(cell, separator)) return std::nullopt;
    DecimalParts parts = SplitDecimal(cell, separator);
    // The integer part of the value shifted by five places: digits that fall
    // behind the point are dropped, which truncates toward zero.
    long long intDigits = parts.point + kScaleDigits;
    std::string whole;
    if (intDigits > 0) {
        auto take = static_cast<std::size_t>(std::min<long long>(intDigits, 99));
        whole = parts.digits.substr(0, take);
        whole.append(take - whole.size(), '0');
    }
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > 10) return std::nullopt;
    long long magnitude = 0;
    if (!whole.empty()) std::from_chars(whole.data(), whole.data() + whole.size(), magnitude);
    long long value = parts.negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string DeviceToDegrees(std::int32_t value, char separator) {
    return FormatGeneral(value * 0.00001, separator);
}

std::string DeviceDegreesText(double degrees, char separator) {
    const std::string general = FormatGeneral(degrees, separator);
    const auto device = DegreesToDevice(general, separator);
    return device ? DeviceToDegrees(*device, separator) : general;
}

}  // namespace vantrel
