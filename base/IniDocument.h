#pragma once
// An INI text kept line by line, so that writing one value leaves every other
// line (comments, unknown sections and keys) as it was. Section and key names
// are matched ignoring ASCII case; blanks around names and values are
// ignored; lines starting with ';' or '#' are comments.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Replaces the key's value, or adds the key (and the section) at the end
    // of its section. Returns false, changing nothing, when a name or the
    // value holds a line break or a name is empty or holds '=' or ']'.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // The document as text, lines ended with LF.
    std::string Text() const;

  private:
    struct Line {
        std::string text;
        std::string section;  // the section the line belongs to
        std::string key;      // empty unless the line is "key=value"
    };
    // The index of the key's line, or -1.
    int FindKey(std::string_view section, std::string_view key) const;
    // The index of the section's last non-blank line, or -1 without the section.
    int SectionEnd(std::string_view section) const;

    std::vector<Line> lines_;
};

}  // namespace vantrel
