// vantrel-cli convert IN OUT: one file kind to another, by extension.

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "cli/Cli.h"
#include "cli/Conversions.h"

namespace vantrel::cli {

namespace {

constexpr std::array kConversions = {
    Conversion{".trk", ".kml", "track file to KML", ConvertTrackToKml},
};

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

void PrintConversions() {
    std::fprintf(stderr, "conversions:\n");
    for (const auto& c : kConversions)
        std::fprintf(stderr, "  %.*s -> %.*s  %.*s\n", int(c.from.size()), c.from.data(),
                     int(c.to.size()), c.to.data(), int(c.what.size()), c.what.data());
}

}  // namespace

int RunConvert(Args args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "convert: expected IN and OUT\n");
        PrintConversions();
        return kUsage;
    }
    const std::string from = LowerExtension(args[0]);
    const std::string to = LowerExtension(args[1]);
    for (const auto& c : kConversions)
        if (c.from == from && c.to == to) return c.run(args[0], args[1]);
    std::fprintf(stderr, "convert: no conversion from '%s' to '%s'\n", from.c_str(), to.c_str());
    PrintConversions();
    return kUsage;
}

}  // namespace vantrel::cli
