#include "cli/Options.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "base/NumberText.h"
#include "cli/Cli.h"
#include "cli/Terminal.h"
#include "locale/TimeZone.h"

namespace vantrel::cli {

namespace {

const OptionKind* FindOption(std::span<const OptionKind> known, std::string_view name) {
    auto it = std::find_if(known.begin(), known.end(), [&](const OptionKind& option) {
        return option.name == name || (!option.shortName.empty() && option.shortName == name);
    });
    return it == known.end() ? nullptr : &*it;
}

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

std::optional<ZoneOffset> ZoneFrom(const ParsedArgs& parsed) {
    if (!parsed.Has("--zone")) return SystemLocalZoneOffset();
    auto zone = ParseZoneOffset(parsed.Value("--zone"));
    if (!zone)
        Fail("--zone needs an offset in hours or hours and minutes from -12 to +14, such as +8, -5 "
             "or 5:30",
             kUsage);
    return zone;
}

std::optional<std::int64_t> SplitGapFrom(const ParsedArgs& parsed) {
    if (!parsed.Has("--split-gap")) return 0;
    const std::string text = parsed.Value("--split-gap");
    auto seconds = ParseInt(text);
    if (!seconds || *seconds <= 0) {
        Fail("--split-gap needs a whole number of seconds above 0, not '" + text + "'", kUsage);
        return std::nullopt;
    }
    return *seconds;
}

std::optional<std::string> FormatFrom(const ParsedArgs& parsed) {
    if (!parsed.Has("--format")) return std::string();
    const std::string name = parsed.Value("--format");
    if (std::find(kFormats.begin(), kFormats.end(), name) == kFormats.end()) {
        Fail("--format takes " + FormatsText() + ", not '" + name + "'", kUsage);
        return std::nullopt;
    }
    return "." + name;
}

}  // namespace

std::string FormatsText() {
    std::string text;
    for (std::string_view format : kFormats)
        text += (text.empty() ? "" : "|") + std::string(format);
    return text;
}

std::string ParsedArgs::Value(std::string_view name, std::string absent) const {
    auto it = values.find(name);
    return it == values.end() ? absent : it->second;
}

std::vector<std::string> ParsedArgs::Values(std::string_view name) const {
    std::vector<std::string> all;
    for (const auto& [key, value] : given)
        if (key == name) all.push_back(value);
    return all;
}

std::optional<ParsedArgs> ParseArgs(std::span<const std::string> args,
                                    std::span<const OptionKind> known) {
    ParsedArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            parsed.operands.insert(parsed.operands.end(), args.begin() + long(i) + 1, args.end());
            break;
        }
        if (!IsOption(arg)) {
            parsed.operands.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, equals);
        const OptionKind* option = FindOption(known, name);
        if (!option) {
            Fail("unknown option '" + name + "'", kUsage);
            return std::nullopt;
        }
        const std::string key(option->name);
        if (!option->takesValue) {
            if (equals != std::string::npos) {
                Fail(key + " takes no value", kUsage);
                return std::nullopt;
            }
            parsed.values[key].clear();
        } else if (equals != std::string::npos) {
            parsed.values[key] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.values[key] = args[++i];
        } else {
            Fail(key + " needs a value", kUsage);
            return std::nullopt;
        }
        parsed.given.emplace_back(key, parsed.values[key]);
    }
    return parsed;
}

std::optional<CommandOptions> FileOptions(const ParsedArgs& parsed) {
    CommandOptions options;
    auto zone = ZoneFrom(parsed);
    auto gap = SplitGapFrom(parsed);
    auto format = FormatFrom(parsed);
    if (!zone || !gap || !format) return std::nullopt;
    auto edits = TrackEditsFrom(parsed, *zone);
    if (!edits) return std::nullopt;
    options.zone = *zone;
    options.splitGapSeconds = *gap;
    options.edits = std::move(*edits);
    options.format = *format;
    options.quiet = parsed.Has("--quiet");
    if (options.quiet) options.notes = nullptr;
    return options;
}

void Note(const CommandOptions& options, std::string_view text) {
    if (!options.notes) return;
    const std::string shown = EscapeControls(text);
    std::fprintf(options.notes, "%s\n", shown.c_str());
}

std::string LowerExtension(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

int Fail(std::string_view message, int code) {
    const std::string shown = EscapeControls(message, LineEnds::Keep);
    std::fprintf(stderr, "%s: %s\n", kProgramName, shown.c_str());
    return code;
}

}  // namespace vantrel::cli
