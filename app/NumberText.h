#pragma once
// Numbers kept as text in grid cells. Cells are written in the user's notation
// (with the user's decimal separator) and read back for arithmetic or for
// script text under two fixed rules:
//   arithmetic: every CommaText (",") becomes DecimalSeparatorText, then the
//               text is converted with the user's decimal separator;
//   script:     every CommaText becomes "." (script text always uses a point).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

struct NumberFormat {
    std::string DecimalSeparatorText = ".";
    std::string CommaText = ",";

    // The user's decimal separator as one character.
    char Separator() const { return DecimalSeparatorText.empty() ? '.' : DecimalSeparatorText[0]; }
};

// The text without white space at either end.
std::string_view TrimBlanks(std::string_view text);

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Cell text made ready for the user's float conversion ("," becomes the separator).
std::string ForArithmetic(std::string_view cell, const NumberFormat& format);
// Cell text made ready for script text ("," becomes ".").
std::string ForScript(std::string_view cell, const NumberFormat& format);

// The float conversion of the user's locale: optional blanks around an optional
// sign, digits with at most one decimal separator and an optional exponent.
// Text in any other shape (a point where the user writes a comma, say) is
// refused with nullopt.
std::optional<double> ParseFloat(std::string_view text, char decimalSeparator);
// ForArithmetic followed by ParseFloat.
std::optional<double> CellToFloat(std::string_view cell, const NumberFormat& format);
// Integer conversion: optional blanks and sign, decimal digits, nothing else.
std::optional<std::int64_t> ParseInt(std::string_view text);

// Fixed notation with `decimals` digits after the separator ("0.000000" style).
std::string FormatFixed(double value, int decimals, char decimalSeparator);
// The default float-to-text conversion: shortest general form with up to 15
// significant digits, scientific ("1E-6", "1.5E20") only for very small or
// very large magnitudes.
std::string FormatGeneral(double value, char decimalSeparator);

}  // namespace vantrel
