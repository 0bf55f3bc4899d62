// The CSV reader over arbitrary text: it parses or refuses without reading
// past a buffer, records it parses are written back as text that parses to
// the same records (their control characters escaped), and the plan and POI
// checks take any three-field rows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Csv.h"
#include "fuzz/FuzzCheck.h"
#include "plans/ListCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto records = ParseCsv(text, error);
    if (!records) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    // The reader skips one byte-order mark: one before the records keeps a
    // first field that begins with another.
    std::string written = "\xEF\xBB\xBF";
    std::vector<ListRow> rows;
    for (const CsvRecord& record : *records) {
        written += CsvLine(record);
        if (record.size() == 3) rows.push_back({record[0], record[1], record[2]});
    }
    // A record of one empty field is a blank line, which writes as nothing
    // that reads back; compare what remains.
    auto blank = [](const CsvRecord& r) { return r.size() == 1 && r[0].empty(); };
    std::erase_if(*records, blank);
    for (CsvRecord& record : *records)
        for (std::string& field : record)
            field = EscapeCsvControls(field);
    auto again = ParseCsv(written, error);
    FUZZ_CHECK(again.has_value());
    std::erase_if(*again, blank);
    FUZZ_CHECK(*again == *records);
    if (auto refused = CheckPlanRows(rows, '.')) FUZZ_CHECK(!refused->Text("row").empty());
    if (auto refused = CheckPoiRows(rows, '.', ZoneOffset{})) FUZZ_CHECK(!refused->Text("row").empty());
    return 0;
}
