#include "map/PageFiles.h"

#include "base/AtomicFile.h"
#include "base/DataDirectory.h"

namespace vantrel {

std::filesystem::path MapPagesFolder(const std::filesystem::path& dataDirectory) {
    return dataDirectory / "map" / "pages";
}

std::filesystem::path MapPagesFolder() {
    return MapPagesFolder(ProgramDataDirectory());
}

std::optional<std::string> ReadPageFile(const std::filesystem::path& file,
                                        const CodePage& codePage) {
    // A page is a few KiB; the limit keeps a stray file from being read whole.
    constexpr std::size_t kPageFileLimit = std::size_t{4} << 20;
    std::error_code error;
    auto bytes = ReadFileBytes(file, error, kPageFileLimit);
    if (!bytes) return std::nullopt;
    if (bytes->empty()) return std::string();
    return codePage.ToUtf8(*bytes);
}

}  // namespace vantrel
