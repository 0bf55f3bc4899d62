// The GPX reader over arbitrary text: a plan or POI list it accepts passes
// the one check of rows, and written as GPX again it reads back the same.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "plans/GpxPlans.h"
#include "plans/ListCheck.h"

namespace {

bool SameRows(const vantrel::TextGrid& a, const vantrel::TextGrid& b, int count) {
    return vantrel::GridRows(a, count) == vantrel::GridRows(b, count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    static const AppValues values;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    PlanList plan(values);
    if (ReadGpxPlan(text, plan).empty()) {
        const auto rows = GridRows(plan.gridPlan, plan.PlanCount);
        FUZZ_CHECK(!CheckPlanRows(rows, values.Numbers.Separator()));
        PlanList again(values);
        FUZZ_CHECK(ReadGpxPlan(GpxPlanText(plan), again).empty());
        FUZZ_CHECK(again.PlanCount == plan.PlanCount && SameRows(again.gridPlan, plan.gridPlan, plan.PlanCount));
    }
    PoiList pois(values);
    if (ReadGpxPois(text, pois).empty()) {
        const auto rows = GridRows(pois.gridPoi, pois.PoiCount);
        FUZZ_CHECK(!CheckPoiRows(rows, values.Numbers.Separator(), values.LocalZoneOffset));
        std::string error;
        const std::string written = GpxPoisText(pois, error);
        FUZZ_CHECK(error.empty());
        PoiList again(values);
        FUZZ_CHECK(ReadGpxPois(written, again).empty());
        FUZZ_CHECK(again.PoiCount == pois.PoiCount && SameRows(again.gridPoi, pois.gridPoi, pois.PoiCount));
    }
    return 0;
}
