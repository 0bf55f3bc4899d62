// The Photos page in a real web view: photos dropped on it are read, shown
// in the table and as markers on the map with the track; a change of the
// clock offset moves every marker at once, before anything is written; the
// button writes them all.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QUrl>
#include <cstdlib>

#include "gui/web/PageHost.h"
#include "gui/PhotoPictures.h"
#include "support/ScratchFolder.h"
#include "window/photos/PhotosPage.h"

namespace vantrel {
namespace {

using namespace std::chrono;
using testing::WaitUntil;

Track Walk() {
    Track track{"Walk", 0x0000FF, 1, true, {}};
    const Seconds start = sys_days{year{2024} / March / 31} + hours{10};
    for (int i = 0; i <= 60; ++i)
        track.points.push_back({start + seconds(10 * i), 47.0 + 0.001 * i, 8.0 + 0.0015 * i, 400, 5});
    return track;
}

// The markers the page shows, and the positions the session gives, in order.
std::vector<std::pair<double, double>> Markers(WebMapView& map) {
    const QJsonObject state =
        QJsonDocument::fromJson(map.Evaluate(QStringLiteral("vantrelPhotoState()")).toString().toUtf8())
            .object();
    std::vector<std::pair<double, double>> markers;
    for (const QJsonValue& p : state["photos"].toArray())
        markers.emplace_back(p.toArray()[0].toDouble(), p.toArray()[1].toDouble());
    return markers;
}

std::vector<std::pair<double, double>> Placed(const PhotoSession& session) {
    std::vector<std::pair<double, double>> placed;
    for (const auto& entry : session.Entries())
        if (entry.report.position) placed.emplace_back(entry.report.position->latitude, entry.report.position->longitude);
    return placed;
}

TEST(PhotosPage, DroppedPhotosShowOnTheMapMoveWithTheOffsetAndAreWritten) {
    vantrel::testing::ScratchFolder folder;
    for (int minute : {2, 5, 8, 40}) {
        char time[24];
        std::snprintf(time, sizeof time, "2024:03:31 10:%02d:00", minute);
        ASSERT_TRUE(vantrel::testing::MakePicturePhoto(
            folder / "trip" / ("IMG_" + std::to_string(minute) + ".jpg"), time, minute));
    }
    PhotosPage page;
    page.resize(853, 540);
    page.show();
    ASSERT_TRUE(page.LoadMap(std::string(VANTREL_MAP_PAGES) + "/track.txt", CodePage()));
    ASSERT_TRUE(WaitUntil([&] {
        return page.Map()->Ready() && page.Map()->EvaluateNumber("typeof showPhotos === 'function' ? 1 : 0") == 1;
    }, testing::kLoadTimeoutMs));
    page.SetTracks({Walk()});
    QTest::keyClicks(page.CameraZone()->lineEdit(), "UTC");
    QTest::keyClick(page.CameraZone()->lineEdit(), Qt::Key_Return);

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((folder / "trip").string()))});
    page.AddDropped(mime);
    ASSERT_TRUE(WaitUntil([&] { return !page.Busy() && page.Session().Entries().size() == 4; }))
        << page.Busy() << " " << page.Session().Entries().size();
    EXPECT_EQ(page.Table()->model()->rowCount(), 4);
    const auto first = Placed(page.Session());
    ASSERT_EQ(first.size(), 3u);  // IMG_40 lies past the track's end
    EXPECT_TRUE(WaitUntil([&] { return Markers(*page.Map()) == first; }));

    page.Offset()->setValue(-60);  // the camera ran a minute fast
    const auto moved = Placed(page.Session());
    ASSERT_EQ(moved.size(), 3u);
    EXPECT_NE(moved, first);
    EXPECT_NEAR(first[0].first - moved[0].first, 0.006, 1e-9);
    EXPECT_EQ(Markers(*page.Map()), moved);  // at once: nothing was waited for

    const std::string before = vantrel::testing::ReadFile(folder / "trip/IMG_2.jpg");
    page.WriteAll();
    ASSERT_TRUE(WaitUntil([&] { return !page.Busy(); }));
    int written = 0;
    for (const auto& entry : page.Session().Entries())
        written += entry.report.outcome == PhotoOutcome::Written;
    EXPECT_EQ(written, 3);
    EXPECT_NE(vantrel::testing::ReadFile(folder / "trip/IMG_2.jpg"), before);
    EXPECT_EQ(Markers(*page.Map()), moved);  // written photos stay where they were written
    if (const char* out = std::getenv("VANTREL_OUT")) {
        QTest::qWait(1000);  // the web view's next frame
        page.grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/photos-page.png"));
    }
}

}  // namespace
}  // namespace vantrel
