#pragma once
// Pictures of maps in the tests: tiles of one colour, and counting colours
// in a picture, with the world layer's land and border colours as its pages
// draw them.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <cstdlib>

namespace vantrel::testing {

inline const QColor kLandColour(0xec, 0xe6, 0xd3);
inline const QColor kBorderColour(0xa0, 0x78, 0x9a);

// A 256-pixel tile of one colour, as PNG bytes.
inline QByteArray PngTile(const QColor& colour) {
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// How many pixels of the picture have the colour, give or take `tolerance`
// over the three channels.
inline int CountColour(const QImage& image, const QColor& colour, int tolerance = 12) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int distance = std::abs(c.red() - colour.red()) +
                                 std::abs(c.green() - colour.green()) +
                                 std::abs(c.blue() - colour.blue());
            count += distance <= tolerance;
        }
    return count;
}

}  // namespace vantrel::testing
