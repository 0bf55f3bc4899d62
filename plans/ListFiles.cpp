#include "plans/ListFiles.h"

#include <functional>

#include "app/AtomicFile.h"
#include "plans/PlanImage.h"
#include "plans/PoiImage.h"

namespace vantrel {

namespace {

bool SaveImage(const std::string& path, const ImageResult& built, const TransferArea& area,
               UserMessages& messages) {
    return ReportRefusal(built, messages) && WriteTransferFile(path, area, messages);
}

// The common road of both open handlers; `decode` reads an area into the
// list, `enable` sets its save and upload buttons.
OpenResult OpenImage(const std::string& path, TransferArea& area, UserMessages& messages,
                     const std::function<bool(const TransferArea&)>& decode,
                     const std::function<void()>& enable) {
    // One byte more than the area holds tells a file that is too large.
    std::error_code error;
    const auto bytes = ReadFileBytes(path, error, TransferArea::kSize + 1);
    if (!bytes) {
        messages.ShowMessage(kCannotAccessText, kErrorCaption);
        return OpenResult::CannotAccess;
    }
    if (bytes->size() > TransferArea::kSize) {
        // No image fits: the list is emptied by decoding nothing.
        TransferArea nothing{.bytes = {}, .TransferLength = 0};
        decode(nothing);
        return OpenResult::BadImage;
    }
    if (bytes->empty()) return OpenResult::Empty;
    std::copy(bytes->begin(), bytes->end(), area.bytes.begin());
    area.TransferLength = bytes->size();
    enable();
    return decode(area) ? OpenResult::Opened : OpenResult::BadImage;
}

}  // namespace

bool ReportRefusal(const ImageResult& built, UserMessages& messages) {
    if (built.Ok()) return true;
    messages.ShowMessage(built.error, kErrorCaption);
    return false;
}

bool WriteTransferFile(const std::string& path, const TransferArea& area, UserMessages& messages) {
    if (area.TransferLength <= area.bytes.size() && WriteFileAtomically(path, area.Valid()))
        return true;
    messages.ShowMessage(kCannotSaveText, kCannotSaveCaption);
    return false;
}

bool SavePlanFile(const std::string& path, const PlanList& list, GlyphRenderer& glyphs,
                  TransferArea& area, UserMessages& messages) {
    return SaveImage(path, BuildPlanImage(list, glyphs, area), area, messages);
}

bool SavePoiFile(const std::string& path, const PoiList& list, TransferArea& area,
                 UserMessages& messages) {
    return SaveImage(path, BuildPoiImage(list, area), area, messages);
}

OpenResult OpenPlanFile(const std::string& path, PlanList& list, TransferArea& area,
                        MapPage& webPlan, UserMessages& messages) {
    return OpenImage(
        path, area, messages,
        [&](const TransferArea& image) { return ReadPlanImage(list, image, webPlan); },
        [&] { list.EnableSaveAndStore(true); });
}

OpenResult OpenPoiFile(const std::string& path, PoiList& list, TransferArea& area,
                       UserMessages& messages) {
    // POIs the list cannot hold are left out, and the user is told so.
    auto decode = [&](const TransferArea& image) {
        if (!ReadPoiImage(list, image)) return false;
        const PoiRecordCount count = CountPoiRecords(image.Valid());
        if (count.leftOut > 0) messages.ShowMessage(PoisLeftOutText(count), kErrorCaption);
        return true;
    };
    return OpenImage(path, area, messages, decode, [&] { list.EnableSaveAndStore(true); });
}

}  // namespace vantrel
