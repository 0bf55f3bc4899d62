#include "window/CoreTexts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <array>
#include <string>
#include <vector>

namespace vantrel {

namespace {

// Texts the core shows whole.
constexpr std::array kFixed = {
    QT_TRANSLATE_NOOP("core", "Error"),
    QT_TRANSLATE_NOOP("core", "Warning"),
    QT_TRANSLATE_NOOP("core", "Map"),
    QT_TRANSLATE_NOOP("core", "TOOLS"),
    QT_TRANSLATE_NOOP("core", "Vantrel Not Found!"),
    QT_TRANSLATE_NOOP(
        "core",
        "Cannot read this computer's time zone; times are shown in UTC until one is chosen."),
    QT_TRANSLATE_NOOP(
        "core",
        "This computer has no internet connection: the maps show their world layer and the tiles "
        "kept from before, and fetch new ones once the connection is back."),
    QT_TRANSLATE_NOOP("core", "A plan point needs a title!"),
    QT_TRANSLATE_NOOP("core", "The plan map did not answer in time; the plan list is unchanged."),
    QT_TRANSLATE_NOOP("core",
                      "Cannot open the map pages: they are missing from the program's data folder, "
                      "so the maps stay empty."),
    QT_TRANSLATE_NOOP("core", "Language File Not Found! "),
    QT_TRANSLATE_NOOP("core", "Cannot Save Setting!"),
    QT_TRANSLATE_NOOP("core", "Write UI Text to ENGLISH.MAN"),
    QT_TRANSLATE_NOOP("core",
                      "The plan the device sent cannot be read (its header or tables are damaged); "
                      "the plan list was left as it was."),
    QT_TRANSLATE_NOOP("core", "The track download is still under way; wait until it has ended."),
    QT_TRANSLATE_NOOP("core", "The plan download is still under way; wait until it has ended."),
    QT_TRANSLATE_NOOP("core", "The POI download is still under way; wait until it has ended."),
    QT_TRANSLATE_NOOP("core", "The plan upload is still under way; wait until it has ended."),
    QT_TRANSLATE_NOOP("core", "The POI upload is still under way; wait until it has ended."),
    QT_TRANSLATE_NOOP("core", "the device stopped answering"),
    QT_TRANSLATE_NOOP("core", "the device cancelled it"),
    QT_TRANSLATE_NOOP("core", "Distance (km)"),
    QT_TRANSLATE_NOOP("core", "Distance (mi)"),
    QT_TRANSLATE_NOOP("core", "Altitude (m)"),
    QT_TRANSLATE_NOOP("core", "Altitude (ft)"),
    QT_TRANSLATE_NOOP("core", "Altitude above ellipsoid (m)"),
    QT_TRANSLATE_NOOP("core", "Altitude above ellipsoid (ft)"),
    QT_TRANSLATE_NOOP("core", "Speed (km/h)"),
    QT_TRANSLATE_NOOP("core", "Speed (mph)"),
};

// Texts the core composes: each %N stands for a part it was given.
constexpr std::array kFrames = {
    QT_TRANSLATE_NOOP("core", "Cannot open %1: %2"),
    QT_TRANSLATE_NOOP("core", "Time of day (%1)"),
    QT_TRANSLATE_NOOP("core", "Cannot save %1: %2"),
    QT_TRANSLATE_NOOP("core", "The request failed: %1."),
    QT_TRANSLATE_NOOP("core", "Invalid Language Name: %1"),
    QT_TRANSLATE_NOOP("core", "The file was saved, but %1."),
    QT_TRANSLATE_NOOP("core", "'%1' is not a valid time zone offset"),
    QT_TRANSLATE_NOOP("core", "The track download failed: %1; nothing was kept."),
    QT_TRANSLATE_NOOP("core", "The plan download failed: %1; nothing was kept."),
    QT_TRANSLATE_NOOP("core", "The POI download failed: %1; nothing was kept."),
    QT_TRANSLATE_NOOP("core", "The plan upload failed: %1."),
    QT_TRANSLATE_NOOP("core", "The POI upload failed: %1."),
    QT_TRANSLATE_NOOP("core",
                      "There is no serial port %1. Check that the device is plugged in and "
                      "switched on, or choose another port."),
    QT_TRANSLATE_NOOP("core",
                      "The serial port %1 is busy: another program (a modem manager or a "
                      "terminal program, for example) holds it. Close that program and try again."),
    QT_TRANSLATE_NOOP("core",
                      "The serial port %1 is busy: %2 holds it. Close that program and try again."),
    QT_TRANSLATE_NOOP("core", "%1 is not a serial port. Choose another port."),
    QT_TRANSLATE_NOOP("core", "The serial port %1 could not be used: %2."),
};

QString Translated(const QString& english) {
    const QByteArray key = english.toUtf8();
    return QCoreApplication::translate("core", key.constData());
}

// The frame as a pattern: its words as written, each %N any text (the last
// one as long as it can be, so a reason may hold the frame's own marks).
QRegularExpression FramePattern(const QString& frame) {
    static const QRegularExpression marker(QStringLiteral("%[1-9]"));
    const QStringList words = frame.split(marker);
    QString pattern;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (i > 0)
            pattern += i + 1 < words.size() ? QStringLiteral("(.*?)") : QStringLiteral("(.*)");
        pattern += QRegularExpression::escape(words[i]);
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::DotMatchesEverythingOption);
}

// The translated frame with its parts put in, all in one pass, so a part
// that holds "%2" stays as it is.
QString WithParts(const QString& frame, const QRegularExpressionMatch& match) {
    const QString first = Translated(match.captured(1));
    if (match.lastCapturedIndex() < 2) return frame.arg(first);
    return frame.arg(first, Translated(match.captured(2)));
}

}  // namespace

QString CoreText(std::string_view english) {
    const QString text = QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size()));
    const QString whole = Translated(text);
    if (whole != text) return whole;
    for (const char* frame : kFrames) {
        const QString source = QString::fromUtf8(frame);
        const QRegularExpressionMatch match = FramePattern(source).match(text);
        if (!match.hasMatch()) continue;
        const QString frameShown = Translated(source);
        return frameShown == source ? text : WithParts(frameShown, match);
    }
    return text;
}

std::vector<const char*> CoreTextList() {
    std::vector<const char*> all(kFixed.begin(), kFixed.end());
    all.insert(all.end(), kFrames.begin(), kFrames.end());
    return all;
}

}  // namespace vantrel
