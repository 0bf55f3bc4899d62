#pragma once
// What the program needs of Unicode beyond encodings: text normalised to
// its composed form (NFC), so that "e" followed by a combining acute and a
// precomposed "é" are one and the same character; counts in code points;
// the general categories that tell how a character is drawn; and character
// names for the messages that refuse one.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel {

// The text in NFC. Bytes that are no UTF-8 become U+FFFD first.
std::string NfcText(std::string_view utf8);

// The code points of UTF-8 text (a broken sequence counts as one).
std::size_t CodePointCount(std::string_view utf8);

// "U+1F600 GRINNING FACE"; "U+001B, a control character"; the code point
// alone for one without a name.
std::string CharacterName(char32_t c);

// A combining mark (categories Mn, Mc, Me): drawn on the character before
// it, never in a place of its own.
bool IsCombiningMark(char32_t c);

// A space separator (category Zs): blank by nature, unlike a character
// that draws nothing because no font has it.
bool IsSpaceSeparator(char32_t c);

}  // namespace vantrel
