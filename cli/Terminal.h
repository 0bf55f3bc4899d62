#pragma once
// Text from files and from the device, made safe and aligned for a terminal:
// control characters are shown escaped, never sent raw (a title holding ESC
// could otherwise recolour or rewrite the user's screen), and columns are
// padded by the width the terminal gives each character, not by bytes.

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

// The text with every control character written as an escape: C0 controls
// and DEL as "\x1b" (etc.), the C1 controls U+0080..U+009F and the
// bidirectional formatting characters as "\u009b", "\u202e", and bytes
// that are no UTF-8 as "\xff". Other characters pass as they are,
// and so do line ends in messages that are made of lines.
enum class LineEnds { Escape, Keep };
std::string EscapeControls(std::string_view text, LineEnds lineEnds = LineEnds::Escape);

// The columns a terminal gives UTF-8 text: 2 for wide characters (CJK,
// fullwidth forms), 0 for combining marks, 1 for the rest. Meant for text
// EscapeControls has made safe.
int DisplayWidth(std::string_view text);

// The text padded with spaces to `width` columns on the right (left
// aligned) or on the left; text as wide or wider is returned as it is.
std::string PadRight(std::string_view text, int width);
std::string PadLeft(std::string_view text, int width);

// Rows of cells as lines of aligned columns, two spaces apart: each cell
// escaped, each column as wide as its widest cell. `align` holds 'l' or
// 'r' for each column (left or right aligned); the first row is the
// heading.
using TableRow = std::vector<std::string>;
std::string TableText(const std::vector<TableRow>& rows, std::string_view align);

}  // namespace vantrel::cli
