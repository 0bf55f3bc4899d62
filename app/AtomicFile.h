#pragma once
// Writing a file so that it is never left half-written: the bytes go to a
// temporary file in the same folder, every write is checked, the file is
// flushed to disk and then renamed over the target. On any failure the
// temporary file is removed and the target keeps its old content.

#include <cstdint>
#include <span>
#include <string>

namespace vantrel {

// True when the whole of `bytes` now stands in `path`.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace vantrel
