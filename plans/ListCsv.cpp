#include "plans/ListCsv.h"

#include <optional>
#include <vector>

#include "base/Csv.h"
#include "plans/ListCheck.h"
#include "plans/PoiTimes.h"

namespace vantrel {

namespace {

const CsvRecord kPlanHeader = {"title", "latitude", "longitude"};
const CsvRecord kPoiHeader = {"time", "latitude", "longitude"};

// The data records of a list CSV: the header first, then three fields a
// record; blank lines are skipped. Nothing, with the reason, for a text that
// is not such a CSV.
std::optional<std::vector<CsvRecord>> ListRecords(std::string_view text, const CsvRecord& header,
                                                  std::string& error) {
    // Every row ends with a number, so a file cut short would still read:
    // only a last line with its line break is whole.
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') {
        error = "the last line has no line break, so the file seems cut short (end it with a "
                "line break if it is whole)";
        return std::nullopt;
    }
    auto records = ParseCsv(text, error);
    if (!records) return std::nullopt;
    std::erase_if(*records, [](const CsvRecord& r) { return r.size() == 1 && r[0].empty(); });
    if (records->empty() || records->front() != header) {
        error = "the first line must be " + header[0] + "," + header[1] + "," + header[2];
        return std::nullopt;
    }
    records->erase(records->begin());
    for (std::size_t i = 0; i < records->size(); ++i) {
        if ((*records)[i].size() == header.size()) continue;
        error = "row " + std::to_string(i + 1) + " has " + std::to_string((*records)[i].size()) +
                " fields, not 3";
        return std::nullopt;
    }
    return records;
}

std::vector<ListRow> RowsOf(const std::vector<CsvRecord>& records) {
    std::vector<ListRow> rows;
    for (const auto& record : records)
        rows.push_back({record[0], record[1], record[2]});
    return rows;
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

std::string ListCsvText(const CsvRecord& header, const TextGrid& grid, int count,
                        ZoneOffset zone, CellToFile first, std::string& error) {
    std::string text = CsvLine(header);
    for (int row = 1; row <= ClampEntryCount(count); ++row) {
        auto cell = first(grid.Cell(kTextColumn, row), zone);
        if (!cell) {
            error = "row " + std::to_string(row) + ": '" + grid.Cell(kTextColumn, row) +
                    "' is not a valid date and time";
            return {};
        }
        text += CsvLine({*cell, grid.Cell(kLatitudeColumn, row), grid.Cell(kLongitudeColumn, row)});
    }
    return text;
}

}  // namespace

std::string ReadPlanCsv(std::string_view text, PlanList& list) {
    std::string error;
    auto records = ListRecords(text, kPlanHeader, error);
    if (!records) return error;
    const std::vector<ListRow> rows = RowsOf(*records);
    if (auto refused = CheckPlanRows(rows, '.')) return refused->Text("row");
    list.PlanCount = FillGridRows(list.gridPlan, rows);
    list.WriteGridHeadings();
    list.SetSavable(true);
    return {};
}

std::string ReadPoiCsv(std::string_view text, PoiList& list) {
    std::string error;
    auto records = ListRecords(text, kPoiHeader, error);
    if (!records) return error;
    const ZoneOffset zone = list.Values().LocalZoneOffset;
    for (std::size_t i = 0; i < records->size(); ++i) {
        std::string& time = (*records)[i][0];
        auto shown = PoiCellFromText(time, zone);
        if (!shown)
            return "row " + std::to_string(i + 1) + ": '" + time +
                   "' is not an ISO 8601 time such as 2011-01-25T14:13:20+01:00";
        time = *shown;
    }
    const std::vector<ListRow> rows = RowsOf(*records);
    if (auto refused = CheckPoiRows(rows, '.', zone)) return refused->Text("row");
    list.PoiCount = FillGridRows(list.gridPoi, rows);
    list.WriteGridHeadings();
    list.SetSavable(true);
    return {};
}

std::string PlanCsvText(const PlanList& list, std::string& error) {
    return ListCsvText(kPlanHeader, list.gridPlan, list.PlanCount, {}, AsIs, error);
}

std::string PoiCsvText(const PoiList& list, std::string& error) {
    return ListCsvText(kPoiHeader, list.gridPoi, list.PoiCount, list.Values().LocalZoneOffset,
                       AsIsoTime, error);
}

}  // namespace vantrel
