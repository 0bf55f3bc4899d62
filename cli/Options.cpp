#include "cli/Options.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "cli/Cli.h"
#include "locale/TimeZone.h"

namespace vantrel::cli {

bool TakeZoneOption(std::vector<std::string>& args, CommandOptions& options) {
    options.zoneHours = SystemLocalZoneHours();
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it != "--zone") continue;
        std::optional<int> hours;
        if (it + 1 != args.end()) hours = ParseZoneHours(*(it + 1));
        if (!hours) {
            Fail("--zone needs a whole-hour offset such as +8 or -5", kUsage);
            return false;
        }
        options.zoneHours = *hours;
        args.erase(it, it + 2);
        return true;
    }
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
