#include "tracks/TrackTable.h"

#include <cstring>

#include "locale/Utf16.h"

namespace vantrel {

std::string EntryName(const TrackEntry& entry) {
    char16_t units[TrackEntry::kNameUnits];
    std::memcpy(units, reinterpret_cast<const std::uint8_t*>(&entry) + offsetof(TrackEntry, name),
                sizeof units);
    const std::u16string_view name(units, TrackEntry::kNameUnits);
    return Utf16ToUtf8(name.substr(0, name.find(u'\0')));
}

void SetEntryName(TrackEntry& entry, std::string_view utf8) {
    std::u16string name = Utf8ToUtf16(utf8);
    name = name.substr(0, name.find(u'\0'));  // a NUL would end the stored name anyway
    if (name.size() > TrackEntry::kMaxNameUnits) {
        // Cut without splitting a surrogate pair.
        const bool splitsPair = IsHighSurrogate(name[TrackEntry::kMaxNameUnits - 1]);
        name.resize(TrackEntry::kMaxNameUnits - (splitsPair ? 1 : 0));
    }
    char16_t units[TrackEntry::kNameUnits] = {};
    name.copy(units, name.size());
    std::memcpy(reinterpret_cast<std::uint8_t*>(&entry) + offsetof(TrackEntry, name), units,
                sizeof units);
}

std::string EntryNameRefusal(std::string_view utf8) {
    const std::size_t units = Utf8ToUtf16(utf8).size();
    if (units <= TrackEntry::kMaxNameUnits) return {};
    return "A track name holds at most " + std::to_string(TrackEntry::kMaxNameUnits) +
           " characters; this one has " + std::to_string(units) + ".";
}

}  // namespace vantrel
