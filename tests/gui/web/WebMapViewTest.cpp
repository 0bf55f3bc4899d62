#include <gtest/gtest.h>

#include <QSignalSpy>

#include "app/window/web/WebMapView.h"

namespace vantrel {
namespace {

TEST(WebMapView, CallsAPageFunctionAndReadsItsNumber) {
    WebMapView view;
    QSignalSpy complete(&view, &WebMapView::documentComplete);
    view.LoadPageText(
        "<html><body><script>function getMarkersNumber(){return 3;}</script>"
        "</body></html>");
    ASSERT_TRUE(complete.wait(20000));
    EXPECT_TRUE(view.Ready());
    EXPECT_EQ(view.CallPageFunctionResult("getMarkersNumber"), 3);
    EXPECT_EQ(view.CallPageFunctionResult("noSuchFunction"), 0);
}

}  // namespace
}  // namespace vantrel
