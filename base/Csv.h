#pragma once
// Comma-separated values as RFC 4180 has them: records end with CRLF (a bare
// LF is taken too), a field that holds a comma, a quote or a line break is
// put in double quotes, and a quote inside one is doubled.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

using CsvRecord = std::vector<std::string>;

// The records of a text. A UTF-8 byte-order mark at the start is skipped and
// a last record without its line end is still a record. Text with a stray
// quote or an unclosed quoted field gives nullopt and a message naming the
// line in `error`.
std::optional<std::vector<CsvRecord>> ParseCsv(std::string_view text, std::string& error);

// The text with its control characters other than line breaks
// (base/ControlCharacters.h) written as escapes, "\x1b" and "\u202e".
std::string EscapeCsvControls(std::string_view text);
// One field, its controls escaped (so that no name from a file or the device
// reaches a terminal or a spreadsheet raw) and quoted when it needs to be.
std::string CsvField(std::string_view field);
// One record with its CRLF.
std::string CsvLine(const CsvRecord& record);

}  // namespace vantrel
