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
    QT_TRANSLATE_NOOP("core", "Undo"),
    QT_TRANSLATE_NOOP("core", "Redo"),
    QT_TRANSLATE_NOOP("core", "Clear All"),
    QT_TRANSLATE_NOOP("core", "Choose a track in the list first."),
    QT_TRANSLATE_NOOP("core", "The speed limit must be above 0 km/h."),
    QT_TRANSLATE_NOOP("core", "choose two tracks or more to merge"),
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
    // why an edit was refused
    QT_TRANSLATE_NOOP("core", "%1 has %2 points, not points %3 to %4."),
    QT_TRANSLATE_NOOP("core", "The range holds every point of %1: nothing to trim."),
    QT_TRANSLATE_NOOP("core", "The range holds every point of %1: delete the track instead."),
    QT_TRANSLATE_NOOP("core",
                      "A track is split between two of its points: choose a point after the "
                      "first of %1."),
    QT_TRANSLATE_NOOP("core", "Cannot merge: %1."),
    QT_TRANSLATE_NOOP("core", "No point of %1 implies a speed above %2 km/h."),
};

// Undo and Redo with the step they would take back or take again; the
// steps' frames apply to that step alone (a file name may well begin with
// "Delete").
constexpr std::array kHistory = {
    QT_TRANSLATE_NOOP("core", "Undo %1"),
    QT_TRANSLATE_NOOP("core", "Redo %1"),
};
// Reasons put into a frame ("Cannot merge: %1.").
constexpr std::array kReasons = {
    QT_TRANSLATE_NOOP("core",
                      "%1 and %2 overlap in time; only tracks that follow one another can be "
                      "merged"),
};
constexpr std::array kSteps = {
    QT_TRANSLATE_NOOP("core", "Trim %1"),
    QT_TRANSLATE_NOOP("core", "Delete Points of %1"),
    QT_TRANSLATE_NOOP("core", "Split %1"),
    QT_TRANSLATE_NOOP("core", "Merge %1 Tracks"),
    QT_TRANSLATE_NOOP("core", "Drop Outliers of %1"),
    QT_TRANSLATE_NOOP("core", "Rename %1"),
    QT_TRANSLATE_NOOP("core", "Recolour %1"),
    QT_TRANSLATE_NOOP("core", "Modify %1"),
    QT_TRANSLATE_NOOP("core", "Select %1"),
    QT_TRANSLATE_NOOP("core", "Deselect %1"),
    QT_TRANSLATE_NOOP("core", "Delete %1"),
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

using PartText = QString (*)(const QString&);

// The translated frame with its parts put in, each shown by `partText`, all
// in one pass, so a part that holds "%2" stays as it is.
QString WithParts(const QString& frame, const QRegularExpressionMatch& match, PartText partText) {
    QString shown;
    for (qsizetype i = 0; i < frame.size(); ++i) {
        const int part =
            i + 1 < frame.size() && frame[i] == QLatin1Char('%') ? frame[i + 1].digitValue() : -1;
        if (part < 1 || part > match.lastCapturedIndex()) {
            shown += frame[i];
            continue;
        }
        shown += partText(match.captured(part));
        ++i;
    }
    return shown;
}

// `text` translated whole, else through the first of `frames` that frames
// it; as it stands when neither knows it.
template <std::size_t N>
QString Shown(const QString& text, const std::array<const char*, N>& frames, PartText partText) {
    const QString whole = Translated(text);
    if (whole != text) return whole;
    for (const char* frame : frames) {
        const QString source = QString::fromUtf8(frame);
        const QRegularExpressionMatch match = FramePattern(source).match(text);
        if (!match.hasMatch()) continue;
        const QString frameShown = Translated(source);
        return frameShown == source ? text : WithParts(frameShown, match, partText);
    }
    return text;
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString StepText(const QString& step) {
    return Shown(step, kSteps, Translated);
}

QString ReasonText(const QString& reason) {
    return Shown(reason, kReasons, Translated);
}

}  // namespace

QString CoreText(std::string_view english) {
    return Shown(FromUtf8(english), kFrames, ReasonText);
}

QString HistoryText(std::string_view english) {
    return Shown(FromUtf8(english), kHistory, StepText);
}

std::vector<const char*> CoreTextList() {
    std::vector<const char*> all(kFixed.begin(), kFixed.end());
    all.insert(all.end(), kFrames.begin(), kFrames.end());
    all.insert(all.end(), kReasons.begin(), kReasons.end());
    all.insert(all.end(), kHistory.begin(), kHistory.end());
    all.insert(all.end(), kSteps.begin(), kSteps.end());
    return all;
}

}  // namespace vantrel
