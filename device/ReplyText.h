#pragma once
// A text reply's bytes as the reply reader finds them in the receive ring.

#include <string>

#include "device/RxRing.h"
#include "locale/CodePage.h"

namespace vantrel {

// The text in UTF-8 of the next `count` bytes in the ring, which stay
// unread: a reply that no parser takes may hold the "$" of the real one.
// Only what fits the 256-byte reply buffer (with its terminating zero) is
// kept, and the text ends at a zero byte.
std::string PeekReplyText(const RxRing& ring, int count, const CodePage& codePage);

}  // namespace vantrel
