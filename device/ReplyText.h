#pragma once
// A text reply's bytes as the reply reader takes them out of the receive ring.

#include <string>

#include "device/RxRing.h"
#include "locale/CodePage.h"

namespace vantrel {

// Takes `count` bytes of a reply from the ring and returns its text in
// UTF-8. Only what fits the 256-byte reply buffer (with its terminating
// zero) is kept, and the text ends at a zero byte.
std::string TakeReplyText(RxRing& ring, int count, const CodePage& codePage);

}  // namespace vantrel
