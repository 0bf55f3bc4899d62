#pragma once
// UTF-8 text of the program against the UTF-16 code units that plan images
// store. Bytes that are not UTF-8 and surrogates without their partner come
// out as U+FFFD, so every input gives well-formed output.

#include <string>
#include <string_view>

namespace vantrel {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace vantrel
