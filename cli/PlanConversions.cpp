// Conversions of plan and POI files to and from CSV for vantrel-cli convert.

#include "base/Csv.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "plans/ListCheck.h"
#include "plans/ListFiles.h"
#include "plans/PoiTimes.h"

namespace vantrel::cli {

namespace {

// A list CSV holds a header and at most 255 rows of a title or time and two
// coordinates; 1 KiB a row leaves room for any such row, quoted.
constexpr std::size_t kListCsvLimit = std::size_t{kListEntries + 1} * 1024;

const CsvRecord kPlanHeader = {"title", "latitude", "longitude"};
const CsvRecord kPoiHeader = {"time", "latitude", "longitude"};

// The data records of a list CSV: the header first, then three fields a
// record; blank lines are skipped.
std::optional<std::vector<CsvRecord>> ReadListCsv(const FileArg& in, const CsvRecord& header) {
    auto text = ReadInput(in, kListCsvLimit, "a plan or POI CSV");
    if (!text) return std::nullopt;
    // Every row ends with a number, so a file cut short would still read:
    // only a last line with its line break is whole.
    if (!text->empty() && text->back() != '\n' && text->back() != '\r') {
        CannotRead(in, "the last line has no line break, so the file seems cut short (end it "
                       "with a line break if it is whole)");
        return std::nullopt;
    }
    std::string error;
    auto records = ParseCsv(*text, error);
    if (!records) {
        CannotRead(in, error);
        return std::nullopt;
    }
    std::erase_if(*records, [](const CsvRecord& r) { return r.size() == 1 && r[0].empty(); });
    if (records->empty() || records->front() != header) {
        std::string expected = header[0] + "," + header[1] + "," + header[2];
        CannotRead(in, "the first line must be " + expected);
        return std::nullopt;
    }
    records->erase(records->begin());
    for (std::size_t i = 0; i < records->size(); ++i) {
        if ((*records)[i].size() != header.size()) {
            CannotRead(in, "row " + std::to_string(i + 1) + " has " +
                               std::to_string((*records)[i].size()) + " fields, not 3");
            return std::nullopt;
        }
    }
    return records;
}

std::vector<ListRow> RowsOf(const std::vector<CsvRecord>& records) {
    std::vector<ListRow> rows;
    for (const auto& record : records)
        rows.push_back({record[0], record[1], record[2]});
    return rows;
}

// Fills the grid with rows that passed their check, or says on stderr which
// row did not (CSV coordinates are written with a point).
int FillGrid(const FileArg& in, TextGrid& grid, const std::vector<ListRow>& rows,
             const std::optional<RowRefusal>& refused, int& count) {
    if (refused) return CannotRead(in, refused->Text("row"));
    int row = 0;
    for (const ListRow& r : rows) {
        ++row;
        grid.SetCell(kTextColumn, row, r.text);
        grid.SetCell(kLatitudeColumn, row, r.latitude);
        grid.SetCell(kLongitudeColumn, row, r.longitude);
    }
    count = row;
    return kOk;
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

int WriteListCsv(const FileArg& out, const CsvRecord& header, const TextGrid& grid, int count,
                 ZoneOffset zone, CellToFile first) {
    std::string text = CsvLine(header);
    for (int row = 1; row <= count; ++row) {
        auto cell = first(grid.Cell(0, row), zone);
        if (!cell)
            return CannotWrite(out, "row " + std::to_string(row) + ": '" + grid.Cell(0, row) +
                                        "' is not a valid date and time");
        text += CsvLine({*cell, grid.Cell(1, row), grid.Cell(2, row)});
    }
    return WriteOutput(out, text) ? kOk : kBadFile;
}

}  // namespace

int ReadPlanCsv(const FileArg& in, PlanList& list) {
    auto records = ReadListCsv(in, kPlanHeader);
    if (!records) return kBadFile;
    const std::vector<ListRow> rows = RowsOf(*records);
    return FillGrid(in, list.gridPlan, rows, CheckPlanRows(rows, '.'), list.PlanCount);
}

int ReadPoiCsv(const FileArg& in, PoiList& list) {
    auto records = ReadListCsv(in, kPoiHeader);
    if (!records) return kBadFile;
    for (std::size_t i = 0; i < records->size(); ++i) {
        std::string& time = (*records)[i][0];
        auto shown = PoiCellFromText(time, list.Values().LocalZoneOffset);
        if (!shown)
            return CannotRead(in, "row " + std::to_string(i + 1) + ": '" + time +
                                      "' is not an ISO 8601 time such as 2011-01-25T14:13:20+01:00");
        time = *shown;
    }
    const std::vector<ListRow> rows = RowsOf(*records);
    const ZoneOffset zone = list.Values().LocalZoneOffset;
    return FillGrid(in, list.gridPoi, rows, CheckPoiRows(rows, '.', zone), list.PoiCount);
}

int WritePlanCsv(const FileArg& out, const PlanList& list) {
    return WriteListCsv(out, kPlanHeader, list.gridPlan, list.PlanCount, {}, AsIs);
}

int WritePoiCsv(const FileArg& out, const PoiList& list) {
    return WriteListCsv(out, kPoiHeader, list.gridPoi, list.PoiCount,
                        list.Values().LocalZoneOffset, AsIsoTime);
}

int CsvToPlan(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = ReadPlanCsv(in, plan.list)) return failed;
    return plan.Save(out);
}

int CsvToPois(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PoiDocument pois(options);
    if (int failed = ReadPoiCsv(in, pois.list)) return failed;
    return pois.Save(out);
}

int PlanToCsv(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = plan.Open(in)) return failed;
    return WritePlanCsv(out, plan.list);
}

int PoisToCsv(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PoiDocument pois(options);
    if (int failed = pois.Open(in)) return failed;
    return pois.Written(WritePoiCsv(out, pois.list), out);
}

}  // namespace vantrel::cli
