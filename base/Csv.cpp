#include "base/Csv.h"

#include <cstdio>
#include <utility>

#include "base/ControlCharacters.h"

namespace vantrel {

namespace {

class CsvParser {
  public:
    explicit CsvParser(std::string_view text) : text_(text) {
        if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
    }

    std::optional<std::vector<CsvRecord>> Run(std::string& error) {
        std::vector<CsvRecord> records;
        while (pos_ < text_.size()) {
            CsvRecord record;
            if (!ReadRecord(record)) {
                error = "line " + std::to_string(line_) + ": " + problem_;
                return std::nullopt;
            }
            records.push_back(std::move(record));
        }
        return records;
    }

  private:
    // Reads fields up to the end of a record and past its line end.
    bool ReadRecord(CsvRecord& record) {
        while (true) {
            std::string field;
            if (!ReadField(field)) return false;
            record.push_back(std::move(field));
            if (pos_ >= text_.size()) return true;
            char c = text_[pos_++];
            if (c == ',') continue;
            if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
            ++line_;
            return true;
        }
    }

    bool AtFieldEnd() const {
        return pos_ >= text_.size() || text_[pos_] == ',' || text_[pos_] == '\n' ||
               text_[pos_] == '\r';
    }

    bool ReadField(std::string& field) {
        if (pos_ < text_.size() && text_[pos_] == '"') return ReadQuoted(field);
        while (!AtFieldEnd()) {
            if (text_[pos_] == '"') return Fail("a quote inside an unquoted field");
            field += text_[pos_++];
        }
        return true;
    }

    bool ReadQuoted(std::string& field) {
        ++pos_;  // the opening quote
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c != '"') {
                if (c == '\n') ++line_;
                field += c;
            } else if (pos_ < text_.size() && text_[pos_] == '"') {
                field += '"';
                ++pos_;
            } else {
                return AtFieldEnd() || Fail("text after a closing quote");
            }
        }
        return Fail("a quoted field that is never closed");
    }

    bool Fail(const char* what) {
        problem_ = what;
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::string problem_;
};

}  // namespace

std::optional<std::vector<CsvRecord>> ParseCsv(std::string_view text, std::string& error) {
    return CsvParser(text).Run(error);
}

namespace {

// The code point at the start of `text` and its length in bytes, for an
// ASCII byte or a UTF-8 sequence of two or three bytes (every control but C0
// and DEL lies there); a code point past the controls' ranges for any other
// byte, which passes as it is.
std::pair<char32_t, std::size_t> LeadingCharacter(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto follows = [&](std::size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    if (byte(0) < 0x80) return {byte(0), 1};
    if (byte(0) >= 0xC2 && byte(0) <= 0xDF && follows(1))
        return {char32_t((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F)), 2};
    if (byte(0) >= 0xE0 && byte(0) <= 0xEF && follows(1) && follows(2))
        return {char32_t((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F)), 3};
    return {0xFFFD, 1};
}

}  // namespace

std::string EscapeCsvControls(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    while (!field.empty()) {
        const auto [c, length] = LeadingCharacter(field);
        if (c != '\r' && c != '\n' && IsHiddenControl(c)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, c < 0x80 ? "\\x%02x" : "\\u%04x",
                          static_cast<unsigned>(c));
            out += escape;
        } else {
            out.append(field.substr(0, length));
        }
        field.remove_prefix(length);
    }
    return out;
}

std::string CsvField(std::string_view raw) {
    const std::string escaped = EscapeCsvControls(raw);
    const std::string_view field = escaped;
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string CsvLine(const CsvRecord& record) {
    std::string line;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (i > 0) line += ',';
        line += CsvField(record[i]);
    }
    return line + "\r\n";
}

}  // namespace vantrel
