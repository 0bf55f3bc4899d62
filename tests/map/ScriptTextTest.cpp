#include "map/ScriptText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

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

}  // namespace
}  // namespace vantrel
