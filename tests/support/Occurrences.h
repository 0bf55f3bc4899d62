#pragma once
// How often a piece of text occurs in a text (overlapping occurrences count).

#include <cstddef>
#include <string>

namespace vantrel::testing {

inline std::size_t Occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

}  // namespace vantrel::testing
