#include "plans/ListFiles.h"

#include <functional>
#include <memory>

#include "base/AtomicFile.h"
#include "base/TransferArea.h"
#include "plans/GpxPlans.h"
#include "plans/ListCsv.h"
#include "plans/PlanImage.h"
#include "plans/PoiImage.h"

namespace vantrel {

namespace {

// The bytes of a file of at most `limit`, or the reason it cannot be had.
std::optional<std::string> FileBytes(const std::string& path, std::size_t limit,
                                     std::string& why) {
    std::error_code error;
    auto bytes = ReadFileBytes(path, error, limit);
    if (error == std::errc::file_too_large)
        why = "it is larger than the " + std::to_string(limit) + " bytes such a file can be";
    else if (!bytes)
        why = error.message();
    else if (bytes->empty())
        why = "the file is empty";
    return why.empty() ? bytes : std::nullopt;
}

// How a page's files are read: its image and its GPX and CSV readers, each
// of which gives the reason it refused a file (or empty text).
template <class List>
struct ListReaders {
    FileFormat image;
    std::span<const FileFormat> formats;
    const char* imageName;  // "plan image"
    std::function<bool(List&, const TransferArea&)> decode;
    std::string (*readGpx)(std::string_view, List&);
    std::string (*readCsv)(std::string_view, List&);

    std::string DecodeImage(std::string_view bytes, List& list) const {
        auto area = std::make_unique<TransferArea>();
        std::copy(bytes.begin(), bytes.end(), area->bytes.begin());
        area->TransferLength = bytes.size();
        if (!decode(list, *area)) return std::string("it is no sound ") + imageName;
        if (auto refused = CheckListRows(list)) return refused->Text("row");
        list.SetSavable(true);
        return {};
    }

    std::string Read(FileFormat format, std::string_view bytes, List& list) const {
        if (format == FileFormat::Gpx) return readGpx(bytes, list);
        if (format == FileFormat::Csv) return readCsv(bytes, list);
        return DecodeImage(bytes, list);
    }
};

// The common road of both pages: reads the file by its format into a new
// list; only a list read whole replaces the page's.
template <class List>
FileResult OpenList(const std::string& path, List& list, const ListReaders<List>& readers) {
    const FileFormat format = FormatOfPath(path, readers.formats).value_or(readers.image);
    const std::size_t limit = format == FileFormat::Gpx   ? kMaxGpxListBytes
                              : format == FileFormat::Csv ? kListCsvLimit
                                                          : TransferArea::kSize;
    std::string why;
    const auto bytes = FileBytes(path, limit, why);
    if (!bytes) return OpenRefusal(path, why);
    List read(list.Values());
    why = readers.Read(format, *bytes, read);
    if (!why.empty()) return OpenRefusal(path, why);
    list.TakeRowsOf(read);
    return {};
}

// Writes a list's bytes, or refuses them with the reason they could not be made.
template <class List>
FileResult WriteList(const std::string& path, List& list, const std::string& bytes,
                     const std::string& error) {
    if (!error.empty()) return SaveRefusal(path, error);
    std::error_code written;
    if (!WriteFileAtomically(path, bytes, written)) return SaveRefusal(path, written.message());
    list.SetModified(false);
    return {};
}

// The bytes of an image built into the area, or the reason it was refused.
std::string ImageBytes(const ImageResult& built, const TransferArea& area, std::string& error) {
    error = built.error;
    return built.Ok() ? std::string(reinterpret_cast<const char*>(area.bytes.data()),
                                    area.TransferLength)
                      : std::string();
}

}  // namespace

std::optional<RowRefusal> CheckListRows(const PlanList& list) {
    return CheckPlanRows(GridRows(list.gridPlan, list.PlanCount), list.Values().Numbers.Separator());
}

std::optional<RowRefusal> CheckListRows(const PoiList& list) {
    return CheckPoiRows(GridRows(list.gridPoi, list.PoiCount), list.Values().Numbers.Separator(),
                        list.Values().LocalZoneOffset);
}

FileResult OpenPlanFile(const std::string& path, PlanList& list, MapPage& webPlan) {
    const ListReaders<PlanList> readers{FileFormat::Rte, kPlanFormats, "plan image",
                                        DecodePlanImage, ReadGpxPlan, ReadPlanCsv};
    FileResult opened = OpenList(path, list, readers);
    if (opened.Done()) list.RedrawMarkers(webPlan);
    return opened;
}

FileResult OpenPoiFile(const std::string& path, PoiList& list) {
    PoiRecordCount count;
    auto decode = [&count](PoiList& read, const TransferArea& image) {
        count = CountPoiRecords(image.Valid());
        return ReadPoiImage(read, image);
    };
    const ListReaders<PoiList> readers{FileFormat::Wpt, kPoiFormats, "POI image", decode,
                                       ReadGpxPois, ReadPoiCsv};
    FileResult opened = OpenList(path, list, readers);
    if (!opened.Done() || !count.Dropped()) return opened;
    return FileResult::Cut(PoisLeftOutText(count), "Warning", PoisLeftOutText(count));
}

FileResult SavePlanFile(const std::string& path, FileFormat format, PlanList& list,
                        GlyphRenderer& glyphs) {
    std::string error;
    std::string bytes;
    if (format == FileFormat::Gpx) {
        bytes = GpxPlanText(list);
    } else if (format == FileFormat::Csv) {
        bytes = PlanCsvText(list, error);
    } else {
        auto area = std::make_unique<TransferArea>();
        bytes = ImageBytes(BuildPlanImage(list, glyphs, *area), *area, error);
    }
    return WriteList(path, list, bytes, error);
}

FileResult SavePoiFile(const std::string& path, FileFormat format, PoiList& list) {
    std::string error;
    std::string bytes;
    if (format == FileFormat::Gpx) {
        bytes = GpxPoisText(list, error);
    } else if (format == FileFormat::Csv) {
        bytes = PoiCsvText(list, error);
    } else {
        auto area = std::make_unique<TransferArea>();
        bytes = ImageBytes(BuildPoiImage(list, *area), *area, error);
    }
    return WriteList(path, list, bytes, error);
}

}  // namespace vantrel
