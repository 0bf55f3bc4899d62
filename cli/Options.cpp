#include "cli/Options.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/NumberText.h"
#include "cli/Cli.h"
#include "locale/TimeZone.h"

namespace vantrel::cli {

bool TakeZoneOption(std::vector<std::string>& args, CommandOptions& options) {
    options.zone = SystemLocalZoneOffset();
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it != "--zone") continue;
        std::optional<ZoneOffset> zone;
        if (it + 1 != args.end()) zone = ParseZoneOffset(*(it + 1));
        if (!zone) {
            Fail("--zone needs an offset in hours or hours and minutes, such as +8, -5 or 5:30",
                 kUsage);
            return false;
        }
        options.zone = *zone;
        args.erase(it, it + 2);
        return true;
    }
    return true;
}

bool TakeValue(std::vector<std::string>& args, std::string_view name, std::string& value) {
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it != name) continue;
        if (it + 1 == args.end()) return false;
        value = *(it + 1);
        args.erase(it, it + 2);
        return true;
    }
    return true;
}

bool TakeSplitGapOption(std::vector<std::string>& args, CommandOptions& options) {
    std::string text;
    if (!TakeValue(args, "--split-gap", text)) {
        Fail("--split-gap needs a number of seconds", kUsage);
        return false;
    }
    if (text.empty()) return true;
    auto seconds = ParseInt(text);
    if (!seconds || *seconds <= 0) {
        Fail("--split-gap needs a whole number of seconds above 0, not '" + text + "'", kUsage);
        return false;
    }
    options.splitGapSeconds = *seconds;
    return true;
}

std::string LowerExtension(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

int Fail(std::string_view message, int code) {
    std::fprintf(stderr, "vantrel-cli: %.*s\n", int(message.size()), message.data());
    return code;
}

}  // namespace vantrel::cli
