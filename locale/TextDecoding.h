#pragma once
// Text files of unknown encoding: decoded by their byte-order mark (UTF-8,
// UTF-16 little or big endian) or, without one, through a code page, and split
// into lines. The result is always valid UTF-8: undecodable bytes become
// U+FFFD.

#include <string>
#include <string_view>
#include <vector>

#include "locale/CodePage.h"

namespace vantrel {

enum class TextEncoding { Utf8Bom, Utf16Le, Utf16Be, CodePage };

// The encoding a file's first bytes announce.
TextEncoding DetectEncoding(std::string_view bytes);

// The file's text as UTF-8, without its byte-order mark.
std::string DecodeText(std::string_view bytes, const CodePage& codePage);

// The bytes with every invalid UTF-8 sequence (overlong forms, surrogates,
// code points above U+10FFFF, broken sequences) replaced by U+FFFD.
std::string SanitiseUtf8(std::string_view bytes);

// Splits at CR, LF or CR LF. A break at the very end does not start another
// line, and empty text has no lines. NUL characters are dropped.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace vantrel
