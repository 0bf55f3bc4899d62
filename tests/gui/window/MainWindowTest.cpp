#include <gtest/gtest.h>

#include "app/window/MainWindow.h"

namespace vantrel {
namespace {

TEST(TfmMain, HasTheFixedClientSize) {
    TfmMain window;
    EXPECT_EQ(window.size(), QSize(853, 572));
}

}  // namespace
}  // namespace vantrel
