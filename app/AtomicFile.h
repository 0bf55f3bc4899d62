#pragma once
// Whole-file reads and writes that never leave a file half-written: a write
// goes to a temporary file in the same folder, is flushed to disk and then
// renamed over the target.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace vantrel {

// The file's bytes, or nullopt with the reason in `error`.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::error_code& error);

// Replaces the file's content with `bytes` (creating it). On failure the
// target is untouched and no temporary file is left behind.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
inline bool WriteFileAtomically(const std::filesystem::path& path,
                                std::span<const std::uint8_t> bytes) {
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Adds `bytes` to the end of the file, creating it when it does not exist;
// the file holds either its old content or the old content plus all of
// `bytes`, never a part.
bool AppendToFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vantrel
