// Conversions of plan and POI files to and from CSV for vantrel-cli convert.

#include "app/AtomicFile.h"
#include "app/Csv.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "plans/ListFiles.h"
#include "plans/PoiTimes.h"

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

// The text of a list's first column in a file, or nullopt when the cell
// cannot be written (a POI time that is no date and time).
using CellToFile = std::optional<std::string> (*)(const std::string& cell, ZoneOffset zone);

std::optional<std::string> AsIs(const std::string& cell, ZoneOffset) {
    return cell;
}

std::optional<std::string> AsIsoTime(const std::string& cell, ZoneOffset zone) {
    return PoiCellIsoText(cell, zone);
}

bool WriteListCsv(const std::string& path, const CsvRecord& header, const TextGrid& grid, int count,
                  ZoneOffset zone, CellToFile first, UserMessages& messages) {
    std::string text = CsvLine(header);
    for (int row = 1; row <= count; ++row) {
        auto cell = first(grid.Cell(0, row), zone);
        if (!cell) {
            Fail(path + ": row " + std::to_string(row) + ": '" + grid.Cell(0, row) +
                     "' is not a valid date and time",
                 kBadFile);
            return false;
        }
        text += CsvLine({*cell, grid.Cell(1, row), grid.Cell(2, row)});
    }
    if (WriteFileAtomically(path, text)) return true;
    messages.ShowMessage(kCannotSaveText, kCannotSaveCaption);
    return false;
}

}  // namespace

int ReadPlanCsv(const std::string& path, PlanList& list) {
    auto records = ReadListCsv(path, kPlanHeader);
    if (!records) return kBadFile;
    list.PlanCount = FillGrid(list.gridPlan, *records);
    return kOk;
}

int ReadPoiCsv(const std::string& path, PoiList& list) {
    auto records = ReadListCsv(path, kPoiHeader);
    if (!records) return kBadFile;
    for (std::size_t i = 0; i < records->size(); ++i) {
        std::string& time = (*records)[i][0];
        auto shown = PoiCellFromText(time, list.Values().LocalZoneOffset);
        if (!shown)
            return Fail(path + ": row " + std::to_string(i + 1) + ": '" + time +
                            "' is not an ISO 8601 time such as 2011-01-25T14:13:20+01:00",
                        kBadFile);
        time = *shown;
    }
    list.PoiCount = FillGrid(list.gridPoi, *records);
    return kOk;
}

bool WritePlanCsv(const std::string& path, const PlanList& list, UserMessages& messages) {
    return WriteListCsv(path, kPlanHeader, list.gridPlan, list.PlanCount, {}, AsIs, messages);
}

bool WritePoiCsv(const std::string& path, const PoiList& list, UserMessages& messages) {
    return WriteListCsv(path, kPoiHeader, list.gridPoi, list.PoiCount,
                        list.Values().LocalZoneOffset, AsIsoTime, messages);
}

int CsvToPlan(const std::string& in, const std::string& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = ReadPlanCsv(in, plan.list)) return failed;
    GlyphRenderer glyphs;
    return SavePlanFile(out, plan.list, glyphs, *plan.area, plan.messages) ? kOk : kBadFile;
}

int CsvToPois(const std::string& in, const std::string& out, const CommandOptions& options) {
    PoiDocument pois(options);
    if (int failed = ReadPoiCsv(in, pois.list)) return failed;
    return SavePoiFile(out, pois.list, *pois.area, pois.messages) ? kOk : kBadFile;
}

int PlanToCsv(const std::string& in, const std::string& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = plan.Open(in)) return failed;
    return WritePlanCsv(out, plan.list, plan.messages) ? kOk : kBadFile;
}

int PoisToCsv(const std::string& in, const std::string& out, const CommandOptions& options) {
    PoiDocument pois(options);
    if (int failed = pois.Open(in)) return failed;
    return WritePoiCsv(out, pois.list, pois.messages) ? kOk : kBadFile;
}

}  // namespace vantrel::cli
