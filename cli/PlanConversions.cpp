// Conversions of plan and POI files to and from CSV for vantrel-cli convert.

#include <memory>

#include "app/AppValues.h"
#include "app/AtomicFile.h"
#include "app/Csv.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/StderrMessages.h"
#include "locale/TimeZone.h"
#include "plans/ListFiles.h"

namespace vantrel::cli {

namespace {

const CsvRecord kPlanHeader = {"title", "latitude", "longitude"};
const CsvRecord kPoiHeader = {"time", "latitude", "longitude"};

// The data records of a list CSV: the header first, then three fields a
// record; blank lines are skipped.
std::optional<std::vector<CsvRecord>> ReadListCsv(const std::string& path,
                                                  const CsvRecord& header) {
    auto text = ReadFileBytes(path);
    if (!text) {
        Fail(path + ": cannot be read", kBadFile);
        return std::nullopt;
    }
    std::string error;
    auto records = ParseCsv(*text, error);
    if (!records) {
        Fail(path + ": " + error, kBadFile);
        return std::nullopt;
    }
    std::erase_if(*records, [](const CsvRecord& r) { return r.size() == 1 && r[0].empty(); });
    if (records->empty() || records->front() != header) {
        std::string expected = header[0] + "," + header[1] + "," + header[2];
        Fail(path + ": the first line must be " + expected, kBadFile);
        return std::nullopt;
    }
    records->erase(records->begin());
    for (std::size_t i = 0; i < records->size(); ++i) {
        if ((*records)[i].size() != header.size()) {
            Fail(path + ": row " + std::to_string(i + 1) + " has " +
                     std::to_string((*records)[i].size()) + " fields, not 3",
                 kBadFile);
            return std::nullopt;
        }
    }
    if (records->size() > static_cast<std::size_t>(kListEntries)) {
        Fail(
            path + ": " + std::to_string(records->size()) + " rows, more than the 255 a list holds",
            kBadFile);
        return std::nullopt;
    }
    return records;
}

int FillGrid(TextGrid& grid, const std::vector<CsvRecord>& records) {
    int row = 1;
    for (const auto& record : records) {
        for (int col = 0; col < kListColumns; ++col)
            grid.SetCell(col, row, record[static_cast<std::size_t>(col)]);
        ++row;
    }
    return row - 1;
}

bool WriteListCsv(const std::string& path, const CsvRecord& header, const TextGrid& grid, int count,
                  UserMessages& messages) {
    std::string text = CsvLine(header);
    for (int row = 1; row <= count; ++row)
        text += CsvLine({grid.Cell(0, row), grid.Cell(1, row), grid.Cell(2, row)});
    if (WriteFileAtomically(path, text)) return true;
    messages.ShowMessage(kCannotSaveText, kCannotSaveCaption);
    return false;
}

AppValues ValuesFor(const CommandOptions& options) {
    AppValues values;
    values.LocalZoneHours = options.zoneHours;
    return values;
}

}  // namespace

int OpenFailure(const std::string& path, OpenResult result, const char* kind) {
    switch (result) {
        case OpenResult::Opened:
            return kOk;
        case OpenResult::Empty:
            return Fail(path + ": the file is empty", kBadFile);
        case OpenResult::BadImage:
            return Fail(path + ": not a sound " + kind + " image", kBadFile);
        case OpenResult::CannotAccess:
            return kBadFile;  // already reported
    }
    return kBadFile;
}

int CsvToPlan(const std::string& in, const std::string& out, const CommandOptions& options) {
    auto records = ReadListCsv(in, kPlanHeader);
    if (!records) return kBadFile;
    AppValues values = ValuesFor(options);
    PlanList list(values);
    list.PlanCount = FillGrid(list.gridPlan, *records);
    GlyphRenderer glyphs;
    auto area = std::make_unique<TransferArea>();
    StderrMessages messages;
    return SavePlanFile(out, list, glyphs, *area, messages) ? kOk : kBadFile;
}

int CsvToPois(const std::string& in, const std::string& out, const CommandOptions& options) {
    auto records = ReadListCsv(in, kPoiHeader);
    if (!records) return kBadFile;
    AppValues values = ValuesFor(options);
    PoiList list(values);
    list.PoiCount = FillGrid(list.gridPoi, *records);
    auto area = std::make_unique<TransferArea>();
    StderrMessages messages;
    return SavePoiFile(out, list, ZoneHoursText(options.zoneHours), *area, messages) ? kOk
                                                                                     : kBadFile;
}

int PlanToCsv(const std::string& in, const std::string& out, const CommandOptions& options) {
    AppValues values = ValuesFor(options);
    PlanList list(values);
    auto area = std::make_unique<TransferArea>();
    AbsentMapPage page;
    StderrMessages messages;
    if (int failed = OpenFailure(in, OpenPlanFile(in, list, *area, page, messages), "plan"))
        return failed;
    return WriteListCsv(out, kPlanHeader, list.gridPlan, list.PlanCount, messages) ? kOk : kBadFile;
}

int PoisToCsv(const std::string& in, const std::string& out, const CommandOptions& options) {
    AppValues values = ValuesFor(options);
    PoiList list(values);
    auto area = std::make_unique<TransferArea>();
    StderrMessages messages;
    if (int failed = OpenFailure(in, OpenPoiFile(in, list, *area, messages), "POI")) return failed;
    return WriteListCsv(out, kPoiHeader, list.gridPoi, list.PoiCount, messages) ? kOk : kBadFile;
}

}  // namespace vantrel::cli
