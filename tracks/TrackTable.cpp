#include "tracks/TrackTable.h"

#include <cstring>

#include "app/RecordChecksum.h"

namespace vantrel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at `i`; a malformed sequence gives U+FFFD and
// consumes one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    std::size_t length = lead < 0x80   ? 1
                         : lead < 0xC2 ? 0
                         : lead < 0xE0 ? 2
                         : lead < 0xF0 ? 3
                         : lead < 0xF5 ? 4
                                       : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return kReplacement;
    }
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

}  // namespace

TrackRecord TrackRecord::Read(const std::uint8_t* bytes) {
    TrackRecord record;
    std::memcpy(&record, bytes, kSize);
    return record;
}

void TrackRecord::Write(std::uint8_t* bytes) const {
    std::memcpy(bytes, this, kSize);
}

bool TrackRecord::ChecksumMatches(const std::uint8_t* bytes) {
    std::uint16_t stored = static_cast<std::uint16_t>(bytes[18] | (bytes[19] << 8));
    return RecordChecksum(bytes, kCheckedBytes) == stored;
}

std::string EntryName(const TrackEntry& entry) {
    std::string out;
    for (std::size_t i = 0; i < TrackEntry::kNameUnits && entry.name[i] != 0; ++i) {
        char16_t unit = entry.name[i];
        if (IsHighSurrogate(unit) && i + 1 < TrackEntry::kNameUnits &&
            IsLowSurrogate(entry.name[i + 1])) {
            char16_t low = entry.name[++i];
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

void SetEntryName(TrackEntry& entry, std::string_view utf8) {
    char16_t units[TrackEntry::kNameUnits] = {};
    std::size_t used = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = NextCodePoint(utf8, i);
        if (cp == 0) break;  // a NUL would end the stored name anyway
        std::size_t need = cp >= 0x10000 ? 2 : 1;
        if (used + need > TrackEntry::kMaxNameUnits) break;
        if (need == 2) {
            units[used++] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            units[used++] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            units[used++] = static_cast<char16_t>(cp);
        }
    }
    std::memcpy(reinterpret_cast<std::uint8_t*>(&entry) + offsetof(TrackEntry, name), units,
                sizeof units);
}

}  // namespace vantrel
