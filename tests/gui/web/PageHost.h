#pragma once
// Helpers of the web view tests: a WebMapView showing one of the program's
// map pages from the source tree, shown offscreen at a fixed size, and a
// bounded wait for a condition.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "window/web/WebMapView.h"

namespace vantrel::testing {

// Generous: the machine may be busy building.
inline constexpr int kLoadTimeoutMs = 60000;

inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 20000) {
    return QTest::qWaitFor(condition, timeoutMs);
}

// A view showing `page` ("track.txt" ...) once its document is complete and
// its map is up; in `profile` when one is given.
inline std::unique_ptr<WebMapView> ShowPage(const std::string& page,
                                            QWebEngineProfile* profile = nullptr) {
    auto view = std::make_unique<WebMapView>(nullptr, profile);
    view->resize(640, 480);
    view->show();
    QSignalSpy complete(view.get(), &WebMapView::documentComplete);
    EXPECT_TRUE(view->LoadPageFile(std::string(VANTREL_MAP_PAGES) + "/" + page));
    EXPECT_TRUE(complete.wait(kLoadTimeoutMs)) << page << " did not load";
    EXPECT_TRUE(WaitUntil([&] {
        return view->EvaluateNumber("typeof map === 'object' ? 1 : 0") == 1;
    })) << page
        << " has no map";
    return view;
}

// The page's vantrelPageState() as a JSON object.
inline QJsonObject PageState(WebMapView& view) {
    return QJsonDocument::fromJson(view.PageState().toUtf8()).object();
}

}  // namespace vantrel::testing
