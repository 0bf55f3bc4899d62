#include "app/ListDocuments.h"

#include <fstream>

#include "plans/ListFiles.h"
#include "tracks/TrackFiles.h"

namespace vantrel {

namespace {

// Enough of a file's start to see its kind.
constexpr std::size_t kHeadBytes = 64 * 1024;

std::string FileHead(const std::string& path) {
    std::string head(kHeadBytes, '\0');
    std::ifstream file(path, std::ios::binary);
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    return head;
}

std::optional<ListKind> GpxKind(const std::string& head) {
    if (head.find("<trk") != std::string::npos) return ListKind::Track;
    if (head.find("<rte") != std::string::npos) return ListKind::Plan;
    if (head.find("<wpt") != std::string::npos) return ListKind::Poi;
    return std::nullopt;
}

std::optional<ListKind> CsvKind(const std::string& head) {
    if (head.starts_with("track,")) return ListKind::Track;
    if (head.starts_with("title,")) return ListKind::Plan;
    if (head.starts_with("time,")) return ListKind::Poi;
    return std::nullopt;
}

}  // namespace

std::span<const FileFormat> OpenFormats(ListKind kind) {
    switch (kind) {
        case ListKind::Track: return kTrackOpenFormats;
        case ListKind::Plan: return kPlanFormats;
        case ListKind::Poi: return kPoiFormats;
    }
    return {};
}

std::span<const FileFormat> SaveFormats(ListKind kind) {
    return kind == ListKind::Track ? std::span<const FileFormat>(kTrackSaveFormats)
                                    : OpenFormats(kind);
}

std::optional<ListKind> ListKindOfFile(const std::string& path) {
    static constexpr FileFormat kAll[] = {FileFormat::Trk, FileFormat::Rte, FileFormat::Wpt,
                                          FileFormat::Gpx, FileFormat::Kml, FileFormat::Csv};
    const auto format = FormatOfPath(path, kAll);
    if (!format) return std::nullopt;
    switch (*format) {
        case FileFormat::Trk:
        case FileFormat::Kml: return ListKind::Track;
        case FileFormat::Rte: return ListKind::Plan;
        case FileFormat::Wpt: return ListKind::Poi;
        case FileFormat::Gpx: return GpxKind(FileHead(path));
        case FileFormat::Csv: return CsvKind(FileHead(path));
    }
    return std::nullopt;
}

}  // namespace vantrel
