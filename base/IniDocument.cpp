#include "base/IniDocument.h"

#include "base/AsciiCase.h"
#include "base/NumberText.h"

namespace vantrel {

namespace {

bool HasBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool ValidName(std::string_view name) {
    name = TrimBlanks(name);
    return !name.empty() && !HasBreak(name) && name.find_first_of("=]") == std::string_view::npos;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(pos, end - pos);
        // Every CR before the LF goes: a line read and written again is the
        // same line (stray CRs would otherwise be lost one a save).
        while (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        pos = end + 1;
        std::string_view body = TrimBlanks(raw);
        Line line{std::string(raw), {}, {}};
        if (body.starts_with('[') && body.ends_with(']')) {
            section = TrimBlanks(body.substr(1, body.size() - 2));
        } else if (!body.empty() && body[0] != ';' && body[0] != '#') {
            auto eq = body.find('=');
            if (eq != std::string_view::npos) line.key = TrimBlanks(body.substr(0, eq));
        }
        line.section = section;
        lines_.push_back(std::move(line));
    }
}

int IniDocument::FindKey(std::string_view section, std::string_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (!lines_[i].key.empty() && EqualIgnoringAsciiCase(lines_[i].section, section) &&
            EqualIgnoringAsciiCase(lines_[i].key, key))
            return static_cast<int>(i);
    return -1;
}

int IniDocument::SectionEnd(std::string_view section) const {
    // Blank lines after a section's last entry stay after it.
    int last = -1;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (EqualIgnoringAsciiCase(lines_[i].section, section) &&
            !TrimBlanks(lines_[i].text).empty())
            last = static_cast<int>(i);
    return last;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    int at = FindKey(TrimBlanks(section), TrimBlanks(key));
    if (at < 0) return std::nullopt;
    std::string_view text = lines_[static_cast<std::size_t>(at)].text;
    return std::string(TrimBlanks(text.substr(text.find('=') + 1)));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!ValidName(section) || !ValidName(key) || HasBreak(value)) return false;
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    Line entry{std::string(key) + "=" + std::string(TrimBlanks(value)), std::string(section),
               std::string(key)};
    if (int at = FindKey(section, key); at >= 0) {
        // The stored name keeps its spelling.
        Line& line = lines_[static_cast<std::size_t>(at)];
        line.text = line.key + "=" + std::string(TrimBlanks(value));
    } else if (int end = SectionEnd(section); end >= 0) {
        lines_.insert(lines_.begin() + end + 1, std::move(entry));
    } else {
        lines_.push_back({"[" + std::string(section) + "]", std::string(section), {}});
        lines_.push_back(std::move(entry));
    }
    return true;
}

std::string IniDocument::Text() const {
    std::string text;
    for (const auto& line : lines_)
        text += line.text + "\n";
    return text;
}

}  // namespace vantrel
