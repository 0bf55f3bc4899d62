#pragma once
// Photos as a camera saves them, for the window tests: a small JPEG picture
// (sky, ground and sun in colours of its own) with the camera's tags.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "support/PhotoFiles.h"

namespace vantrel::testing {

// Saves a 320x240 picture at `path`, taken at `exifTime` ("2024:03:31 10:02:00").
inline bool MakePicturePhoto(const std::filesystem::path& path, const std::string& exifTime, int hue) {
    std::filesystem::create_directories(path.parent_path());
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv((hue * 37 + 190) % 360, 110, 230));  // sky
    QPainter paint(&picture);
    paint.fillRect(0, 150, 320, 90, QColor::fromHsv((hue * 23 + 90) % 360, 150, 140));
    paint.setBrush(QColor(255, 214, 90));
    paint.drawEllipse(QPoint(60 + 6 * (hue % 40), 70), 26, 26);
    paint.end();
    if (!picture.save(QString::fromStdString(path.string()), "JPEG", 85)) return false;
    TagPhoto(path, {exifTime});
    return true;
}

}  // namespace vantrel::testing
