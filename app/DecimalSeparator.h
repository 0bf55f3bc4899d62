#pragma once
// The user's decimal separator, read from the locale of the environment
// (LC_ALL, LC_NUMERIC, LANG) without changing the process's own locale.

#include <string>
#include <string_view>

#include "base/NumberText.h"

namespace vantrel {

// The radix text of the environment's numeric locale; "." when the locale is
// unknown.
std::string UserRadixText();

// A radix text starting with "," makes DecimalSeparatorText ","; any other
// keeps the point. CommaText always stays ",".
void ApplyRadixText(NumberFormat& format, std::string_view radix);

}  // namespace vantrel
