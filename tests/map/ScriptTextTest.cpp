#include "map/ScriptText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace vantrel {
namespace {

TEST(ScriptReal, KeepsEveryDigitWithAPointAndNoExponentSurprises) {
    const double value = 22.123456789012345;
    EXPECT_EQ(std::strtod(ScriptReal(value).c_str(), nullptr), value);
    EXPECT_EQ(ScriptReal(-114.5), "-114.5");
    EXPECT_EQ(ScriptReal(0), "0");
    EXPECT_EQ(ScriptReal(std::nan("")), "NaN");
    EXPECT_EQ(ScriptReal(-std::numeric_limits<double>::infinity()), "-Infinity");
}

TEST(AddPointsScript, OneGuardedCallPerPointInOrder) {
    std::vector<MapPoint> points{{22.5, 114.25}, {-1, 2}};
    EXPECT_EQ(AddPointsScript(points),
              "if (typeof addPoints === 'function') {addPoints(22.5,114.25);addPoints(-1,2);}");
    EXPECT_EQ(AddPointsScript({}), "if (typeof addPoints === 'function') {}");
}

}  // namespace
}  // namespace vantrel
