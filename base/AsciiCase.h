#pragma once
// Comparing names the way file systems and settings files of the original
// platform do: ASCII letters match in either case, other bytes exactly.

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vantrel {

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace vantrel
