#pragma once
// The conversions of `vantrel-cli convert`, chosen by the input and output
// file extensions. To add one, write its function and add a row to the
// table in ConvertCommand.cpp.

#include <string>
#include <string_view>

namespace vantrel::cli {

struct Conversion {
    std::string_view from;  // input extension, lower case, with its dot
    std::string_view to;    // output extension
    std::string_view what;  // shown by --help
    int (*run)(const std::string& in, const std::string& out);  // an exit code
};

// Track file to KML (TrackConversions.cpp).
int ConvertTrackToKml(const std::string& in, const std::string& out);

}  // namespace vantrel::cli
