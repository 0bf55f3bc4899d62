#include "base/FileFormats.h"

#include <filesystem>

#include "base/AsciiCase.h"

namespace vantrel {

std::string_view ExtensionOf(FileFormat format) {
    switch (format) {
        case FileFormat::Trk: return ".trk";
        case FileFormat::Rte: return ".rte";
        case FileFormat::Wpt: return ".wpt";
        case FileFormat::Gpx: return ".gpx";
        case FileFormat::Kml: return ".kml";
        case FileFormat::Csv: return ".csv";
    }
    return {};
}

std::optional<FileFormat> FormatOfPath(std::string_view path, std::span<const FileFormat> offered) {
    const std::string extension = std::filesystem::path(path).extension().string();
    for (FileFormat format : offered)
        if (EqualIgnoringAsciiCase(extension, ExtensionOf(format))) return format;
    return std::nullopt;
}

SaveTarget ChooseSaveTarget(const std::string& path, std::optional<FileFormat> filter,
                            std::span<const FileFormat> offered) {
    if (auto named = FormatOfPath(path, offered)) return {path, *named};
    const FileFormat format = filter.value_or(offered.front());
    if (std::filesystem::path(path).has_extension()) return {path, format};
    return {path + std::string(ExtensionOf(format)), format};
}

}  // namespace vantrel
