// The window's Photos tab over the tracks downloaded from the device: a
// photo taken at a fix of the first track is placed on that fix and shown
// on the tab's map.

#include <QAbstractButton>
#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>

#include "gui/PhotoPictures.h"
#include "tests/gui/window/WindowFixture.h"
#include "window/photos/PhotosPage.h"

namespace vantrel::testing {
namespace {

TEST_F(WindowTest, ThePhotosTabPlacesPhotosOnTheDownloadedTracks) {
    TfmMain& window = Open();
    window.show();  // the web views draw only when shown
    ASSERT_TRUE(PagesReady());
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    PhotosPage& photos = *window.sheetPhotos;
    window.pgctlMain->setCurrentWidget(&photos);
    ASSERT_EQ(photos.Session().TrackList().size(), window.Core().tracks.List().size());
    ASSERT_TRUE(WaitFor([&] { return photos.Map()->Ready(); }, kPageMs));
    QTest::keyClicks(photos.CameraZone()->lineEdit(), "UTC");
    QTest::keyClick(photos.CameraZone()->lineEdit(), Qt::Key_Return);

    const Track& first = window.Core().tracks.List().front();
    ScratchFolder folder;
    for (std::size_t i : {20u, 60u, 100u}) {
        std::string time = IsoTimeText(first.points[i].time).substr(0, 19);
        time[4] = time[7] = ':';
        time[10] = ' ';
        ASSERT_TRUE(MakePicturePhoto(folder / ("DSC_" + std::to_string(i) + ".jpg"), time,
                                     static_cast<int>(i)));
    }
    photos.AddPaths({folder.Path()});
    ASSERT_TRUE(WaitFor([&] { return !photos.Busy() && photos.Session().Entries().size() == 3; }));
    const auto& entry = photos.Session().Entries().front();  // DSC_100
    ASSERT_TRUE(entry.report.position) << entry.report.detail;
    EXPECT_DOUBLE_EQ(entry.report.position->latitude, first.points[100].latitude);
    EXPECT_DOUBLE_EQ(entry.report.position->longitude, first.points[100].longitude);
    const QJsonObject shown = QJsonDocument::fromJson(
        photos.Map()->Evaluate(QStringLiteral("vantrelPhotoState()")).toString().toUtf8()).object();
    EXPECT_EQ(shown["photos"].toArray().size(), 3);
    if (const char* out = std::getenv("VANTREL_OUT")) {
        QTest::qWait(1500);
        window.grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/7-Photos.png"));
    }
}

}  // namespace
}  // namespace vantrel::testing
