#include "plans/ListFiles.h"

#include <functional>

#include "base/AtomicFile.h"
#include "plans/ListCheck.h"
#include "plans/PlanImage.h"
#include "plans/PoiImage.h"

namespace vantrel {

namespace {

bool SaveImage(const std::string& path, const ImageResult& built, const TransferArea& area,
               UserMessages& messages) {
    return ReportRefusal(built, messages) && WriteTransferFile(path, area, messages);
}

// The common road of both open handlers; `decode` reads an area into the
// list, `enable` sets its save and upload buttons, `check` gives the reason
// the decoded rows are refused (or empty text).
OpenResult OpenImage(const std::string& path, TransferArea& area, UserMessages& messages,
                     const std::function<bool(const TransferArea&)>& decode,
                     const std::function<void()>& enable,
                     const std::function<std::string()>& check) {
    // Decoding nothing empties the list.
    auto refuse = [&](const std::string& why) {
        TransferArea nothing{.bytes = {}, .TransferLength = 0};
        decode(nothing);
        messages.ShowMessage(why, kErrorCaption);
        return OpenResult::Refused;
    };
    std::error_code error;
    const auto bytes = ReadFileBytes(path, error, TransferArea::kSize);
    if (error == std::errc::file_too_large)  // no image fits
        return refuse(TooLargeText(path, TransferArea::kSize, "a plan or POI file"));
    if (!bytes) {
        messages.ShowMessage(kCannotAccessText, kErrorCaption);
        return OpenResult::CannotAccess;
    }
    if (bytes->empty()) return OpenResult::Empty;
    std::copy(bytes->begin(), bytes->end(), area.bytes.begin());
    area.TransferLength = bytes->size();
    enable();
    if (!decode(area)) return OpenResult::BadImage;
    if (std::string refused = check(); !refused.empty()) return refuse(path + ": " + refused);
    return OpenResult::Opened;
}

// The window's wording of a refused row, or empty text.
std::string RefusalText(const std::optional<RowRefusal>& refused) {
    return refused ? refused->Text("Row") + "!" : std::string();
}

}  // namespace

std::optional<RowRefusal> CheckListRows(const PlanList& list) {
    return CheckPlanRows(GridRows(list.gridPlan, list.PlanCount), list.Values().Numbers.Separator());
}

std::optional<RowRefusal> CheckListRows(const PoiList& list) {
    return CheckPoiRows(GridRows(list.gridPoi, list.PoiCount), list.Values().Numbers.Separator(),
                        list.Values().LocalZoneOffset);
}

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
        [&] { list.SetSavable(true); },
        [&] { return RefusalText(CheckListRows(list)); });
}

OpenResult OpenPoiFile(const std::string& path, PoiList& list, TransferArea& area,
                       UserMessages& messages) {
    // POIs the list cannot hold are left out, and the user is told so.
    auto decode = [&](const TransferArea& image) {
        if (!ReadPoiImage(list, image)) return false;
        const PoiRecordCount count = CountPoiRecords(image.Valid());
        if (count.Dropped()) messages.ShowMessage(PoisLeftOutText(count), kErrorCaption);
        return true;
    };
    return OpenImage(path, area, messages, decode, [&] { list.SetSavable(true); },
                     [&] { return RefusalText(CheckListRows(list)); });
}

}  // namespace vantrel
