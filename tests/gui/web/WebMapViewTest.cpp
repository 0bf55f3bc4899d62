#include <gtest/gtest.h>

#include <QSignalSpy>

#include "base/AtomicFile.h"
#include "gui/web/PageHost.h"
#include "map/PageFiles.h"
#include "support/ScratchFolder.h"
#include "window/web/WebMapView.h"

namespace vantrel {
namespace {

using testing::kLoadTimeoutMs;
using testing::WaitUntil;

void LoadAndWait(WebMapView& view, const QString& text) {
    QSignalSpy complete(&view, &WebMapView::documentComplete);
    view.LoadPageText(text);
    ASSERT_TRUE(complete.wait(kLoadTimeoutMs));
    EXPECT_TRUE(view.Ready());
}

TEST(WebMapView, CallsAPageFunctionAndReadsItsNumber) {
    WebMapView view;
    LoadAndWait(view,
                "<html><body><script>function getMarkersNumber(){return 3;}"
                "function getMarkersLat(i){return i + 0.25;}</script></body></html>");
    EXPECT_EQ(view.CallPageFunctionResult("getMarkersNumber"), 3);
    EXPECT_EQ(view.CallPageFunctionResult("getMarkersLat", std::int16_t{2}), 2.25);
    EXPECT_EQ(view.CallPageFunctionResult("noSuchFunction"), 0);
    EXPECT_EQ(view.CallPageFunctionResult("getMarkersNumber); alert(1"), 0);
}

TEST(WebMapView, APageThatAnswersLateOrWithoutANumberGivesNoAnswer) {
    WebMapView view;
    LoadAndWait(view, QStringLiteral("<html><body><script>"
                                     "function slow(){var t=Date.now();"
                                     "while(Date.now()-t<%1){} return 3;}"
                                     "function nothing(){}</script></body></html>")
                          .arg(WebMapView::kCallTimeoutMs + 500));
    EXPECT_EQ(view.CallPageFunctionResult("slow"), std::nullopt);
    EXPECT_EQ(view.CallPageFunctionResult("nothing"), std::nullopt);
    EXPECT_EQ(view.CallPageFunctionResult("nothing", std::int16_t{1}), std::nullopt);
}

TEST(WebMapView, AnEmptyPageStillCompletes) {
    WebMapView view;
    EXPECT_FALSE(view.Ready());
    LoadAndWait(view, QString());
    EXPECT_EQ(view.PageState(), QString());
}

TEST(WebMapView, EveryClickAndMouseDownOnTheBodyIsReported) {
    WebMapView view;
    view.resize(200, 200);
    view.show();
    LoadAndWait(view, "<html><body style='height:100%'><p id='p'>text</p></body></html>");
    QSignalSpy clicked(&view, &WebMapView::bodyClicked);
    // A page of its own cannot stop the report: the hook listens first.
    view.RunPageScript(
        "document.body.addEventListener('click', e => e.stopPropagation(), true);"
        "const p = document.getElementById('p');"
        "p.dispatchEvent(new MouseEvent('mousedown', {bubbles: true}));"
        "p.dispatchEvent(new MouseEvent('click', {bubbles: true}));");
    EXPECT_TRUE(WaitUntil([&] { return clicked.count() >= 2; }));
    QTest::qWait(200);
    EXPECT_EQ(clicked.count(), 2);
}

TEST(WebMapView, LoadsAPageFileWithItsFolderAsBase) {
    testing::ScratchFolder folder;
    ASSERT_TRUE(WriteFileAtomically(folder.Path() / "helper.js",
                                    std::string_view("function answer(){return 42;}")));
    ASSERT_TRUE(WriteFileAtomically(folder.Path() / "page.txt",
                                    std::string_view("<script src='helper.js'></script>")));
    WebMapView view;
    QSignalSpy complete(&view, &WebMapView::documentComplete);
    EXPECT_FALSE(view.LoadPageFile(folder.Path() / "missing.txt"));
    ASSERT_TRUE(view.LoadPageFile(folder.Path() / "page.txt"));
    ASSERT_TRUE(complete.wait(kLoadTimeoutMs));
    EXPECT_EQ(view.CallPageFunctionResult("answer"), 42);
}

TEST(WebMapView, PageTextFindsTheSharedScriptInTheProgramsPageFolder) {
    auto text = ReadPageFile(MapPagesFolder() / kTrackPageFile, CodePage());
    ASSERT_TRUE(text);
    WebMapView view;
    LoadAndWait(view, QString::fromStdString(*text));
    EXPECT_TRUE(
        WaitUntil([&] { return view.EvaluateNumber("typeof map === 'object' ? 1 : 0") == 1; }));
}

}  // namespace
}  // namespace vantrel
