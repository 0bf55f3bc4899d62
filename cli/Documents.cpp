#include "cli/Documents.h"

#include <algorithm>

#include "cli/Cli.h"
#include "plans/GlyphRenderer.h"
#include "plans/PlanImage.h"
#include "plans/PoiImage.h"

namespace vantrel::cli {

void CliMessages::ShowMessage(std::string_view text, std::string_view) {
    Fail(text, kOk);
}

AppValues ValuesFor(const CommandOptions& options) {
    AppValues values;
    values.LocalZoneOffset = options.zone;
    return values;
}

bool LoadImage(const FileArg& in, TransferArea& area) {
    auto bytes = ReadInput(in, TransferArea::kSize, "a plan or POI image");
    if (!bytes) return false;
    if (bytes->empty()) {
        CannotRead(in, "the file is empty");
        return false;
    }
    std::copy(bytes->begin(), bytes->end(), area.bytes.begin());
    area.TransferLength = bytes->size();
    return true;
}

int SaveImage(const FileArg& out, const std::string& refused, const TransferArea& area) {
    if (!refused.empty()) return CannotWrite(out, refused);
    return WriteOutput(out, {reinterpret_cast<const char*>(area.bytes.data()), area.TransferLength})
               ? kOk
               : kBadFile;
}

// kOk for rows that passed the check; otherwise names the first that did
// not and returns kBadFile.
int RefusedRows(const FileArg& in, const std::optional<RowRefusal>& refused) {
    return refused ? CannotRead(in, refused->Text("row")) : kOk;
}

int OpenPlanImage(const FileArg& in, PlanList& list, TransferArea& area, MapPage& page) {
    if (!LoadImage(in, area)) return kBadFile;
    if (!ReadPlanImage(list, area, page)) return CannotRead(in, "not a sound plan image");
    return RefusedRows(in, CheckListRows(list));
}

int OpenPoiImage(const FileArg& in, PoiList& list, TransferArea& area) {
    if (!LoadImage(in, area)) return kBadFile;
    if (!ReadPoiImage(list, area)) return CannotRead(in, "not a sound POI image");
    if (RefusedRows(in, CheckListRows(list)) != kOk) return kBadFile;
    // POIs beyond what the list holds were left out: say so.
    const PoiRecordCount count = CountPoiRecords(area.Valid());
    if (count.leftOut > 0) Fail(in.InName() + ": " + PoisLeftOutText(count), kOk);
    return kOk;
}

int PlanDocument::Open(const FileArg& in) {
    return OpenPlanImage(in, list, *area, page);
}

int PlanDocument::Save(const FileArg& out) {
    GlyphRenderer glyphs;
    return SaveImage(out, BuildPlanImage(list, glyphs, *area).error, *area);
}

int PoiDocument::Open(const FileArg& in) {
    return OpenPoiImage(in, list, *area);
}

int PoiDocument::Save(const FileArg& out) {
    return SaveImage(out, BuildPoiImage(list, *area).error, *area);
}

}  // namespace vantrel::cli
