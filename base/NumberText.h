#pragma once
// Numbers kept as text in grid cells. Cells are written in the user's notation
// (with the user's decimal separator) and read back for arithmetic or for
// script text:
//   arithmetic: a point or a comma is the decimal separator, whatever the
//               user's own, so a file written under another locale (or by the
//               command line, which always writes a point) reads the same;
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
// The same text appended to `out`.
void AppendReplacingAll(std::string& out, std::string_view text, std::string_view from,
                        std::string_view to);

// Cell text made ready for script text ("," becomes ".").
std::string ForScript(std::string_view cell, const NumberFormat& format);

// The float conversion of the user's locale: optional blanks around an optional
// sign, digits with at most one decimal separator and an optional exponent.
// Text in any other shape (a point where the user writes a comma, say) is
// refused with nullopt.
std::optional<double> ParseFloat(std::string_view text, char decimalSeparator);
// A cell's number for arithmetic: ParseFloat with either a point or a
// comma (CommaText) as the decimal separator.
std::optional<double> CellToFloat(std::string_view cell, const NumberFormat& format);
// Integer conversion: optional blanks and sign, decimal digits, nothing else.
std::optional<std::int64_t> ParseInt(std::string_view text);

// Fixed notation with `decimals` digits after the separator ("0.000000"
// style), as printf's "%.*f" rounds; a value that rounds to zero has no
// minus sign. A negative count means 6, as in printf; at most 60 are given.
std::string FormatFixed(double value, int decimals, char decimalSeparator);
// The default float-to-text conversion: shortest general form with up to 15
// significant digits, scientific ("1E-6", "1.5E20") only for very small or
// very large magnitudes.
std::string FormatGeneral(double value, char decimalSeparator);

// The same texts appended to `out`, for writers of many numbers: nothing is
// allocated but the room `out` grows by.
void AppendFixed(std::string& out, double value, int decimals, char decimalSeparator);
void AppendGeneral(std::string& out, double value, char decimalSeparator);
// "1 point", "3 points": a count and its noun, plural where it is not one.
std::string Counted(std::size_t count, std::string_view noun);

// `value` in decimal, zero-padded to `width` characters as printf's "%0*d"
// pads (a minus sign counts in the width).
void AppendPadded(std::string& out, long long value, int width);

}  // namespace vantrel
