#pragma once
// Whole-file reads and writes for the program's files (settings, language,
// track, KML, plan and POI files). A write never leaves a file half-written:
// the bytes go to a temporary file in the target's folder, every write is
// checked, the file is flushed to disk and then renamed over the target. On
// failure the target is untouched and the temporary file is removed.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace vantrel {

// The file's bytes, at most `limit` of them, or nullopt with the reason in
// `error` (a folder cannot be read either).
std::optional<std::string> ReadFileBytes(
    const std::filesystem::path& path, std::error_code& error,
    std::size_t limit = std::numeric_limits<std::size_t>::max());
// The same when the reason does not matter.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Replaces the file's content with `bytes` (creating it). A replaced file
// keeps its permissions; a new one gets those the umask allows. False with
// the reason in `error` when the file could not be written.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::error_code& error);
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
