#pragma once
// Whole-file reads and writes for the program's files (settings, language,
// track, KML, plan and POI files). A write never leaves a file half-written:
// the bytes go to a temporary file in the target's folder, every write is
// checked, the file is flushed to disk and then renamed over the target. On
// failure the target is untouched and the temporary file is removed.
//
// The target is what the path names: a symbolic link is followed and the
// file it leads to is replaced (the link stays), a character device or a
// FIFO is written in place (never replaced by a file), and a folder or any
// other kind of file is refused.

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

// The file's bytes when it holds at most `limit` of them, or nullopt with the
// reason in `error` (a folder cannot be read either). A file holding more is
// refused with std::errc::file_too_large after reading no more than
// limit + 1 bytes, whatever its size claims: a pipe, a device such as
// /dev/zero or a file still growing has no size to trust.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         std::error_code& error, std::size_t limit);
// The same with kAnyFileLimit, when the reason does not matter.
inline constexpr std::size_t kAnyFileLimit = std::size_t{256} << 20;
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// "NAME is larger than the LIMIT bytes WHAT can be": the refusal of a file
// ReadFileBytes found too large.
std::string TooLargeText(const std::filesystem::path& path, std::size_t limit,
                         std::string_view what);

// Replaces the file's content with `bytes` (creating it). A replaced file
// keeps its permissions (and, where this process may, its owner); a new one
// gets those the umask allows. False with the reason in `error` when the
// file could not be written: EISDIR for a folder, ENXIO for a FIFO nobody
// reads, EINVAL for another kind of file that is not a regular one.
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
