#include "cli/Progress.h"

#include <gtest/gtest.h>

namespace vantrel::cli {
namespace {

TEST(Progress, DescribesBytesRateAndTimeLeft) {
    EXPECT_EQ(Progress::Describe("tracks", 0, 0, 0), "tracks 0 B");
    EXPECT_EQ(Progress::Describe("tracks", 11520, 2 * 1024 * 1024, 1.0),
              "tracks 11.2 KiB / 2.0 MiB  11.2 KiB/s  3:01 left");
    EXPECT_EQ(Progress::Describe("plan", 2048, 2048, 2.0), "plan 2.0 KiB / 2.0 KiB  1.0 KiB/s");
}

}  // namespace
}  // namespace vantrel::cli
