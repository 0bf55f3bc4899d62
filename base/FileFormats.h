#pragma once
// The file formats the pages open and save, known by their extensions, and
// the format a save writes: a name ending in the extension of a format the
// page offers is written in that format; any other name is written in the
// format of the filter chosen in the dialog (the page's first format when
// the filter is "All Files"), and a name without an extension gets that
// format's.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

enum class FileFormat { Trk, Rte, Wpt, Gpx, Kml, Csv };

// ".trk", ".rte", ...
std::string_view ExtensionOf(FileFormat format);
// The format of the path's extension (in any case) among `offered`.
std::optional<FileFormat> FormatOfPath(std::string_view path, std::span<const FileFormat> offered);

struct SaveTarget {
    std::string path;
    FileFormat format;
    friend bool operator==(const SaveTarget&, const SaveTarget&) = default;
};
// `offered` is not empty; `filter` is the format of the chosen filter, or
// nothing for "All Files".
SaveTarget ChooseSaveTarget(const std::string& path, std::optional<FileFormat> filter,
                            std::span<const FileFormat> offered);

}  // namespace vantrel
