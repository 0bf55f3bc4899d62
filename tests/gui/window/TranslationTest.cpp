// The window's texts beyond the language files: our translations and Qt's
// own follow the language chosen, every entry is translated, and nothing is
// cut at the design size.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QXmlStreamReader>

#include "WindowFixture.h"
#include "map/PageFiles.h"
#include "window/CoreTexts.h"
#include "window/Translations.h"
#include "window/chart/ProfileChart.h"

namespace vantrel::testing {
namespace {

struct LanguageCase {
    const char* file;
    const char* ownName;
    const char* openItem;      // the File menu's Open
    const char* trackDialog;   // the track name dialog's caption
    const char* distanceAxis;  // the chart's bottom axis
    const char* openRefusal;   // the start of a refused open, after the file's name
    const char* qtCancel;      // Qt's own Cancel button
};

constexpr LanguageCase kLanguages[] = {
    {"GERMAN", "Deutsch", "Ö&ffnen...", "Trackname und Farbe ändern", "Entfernung (km)",
     "nowhere.trk kann nicht geöffnet werden: ", "Abbrechen"},
    {"CHINESE", "简体中文", "打开(&O)...", "修改轨迹名称和颜色", "距离 (km)",
     "无法打开 nowhere.trk：", "取消"},
    {"ENGLISH", "English", "&Open...", "Modify Track Name & Color", "Distance (km)",
     "Cannot open nowhere.trk: ", "Cancel"},
};

// The width a control needs to show its text whole; 0 for other widgets.
int NeededWidth(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->wordWrap() || label->text().isEmpty() ? 0 : label->sizeHint().width();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text().isEmpty() ? 0 : button->sizeHint().width();
    if (auto* group = qobject_cast<const QGroupBox*>(w))
        return group->fontMetrics().horizontalAdvance(group->title()) + 16;
    // A box that shows a value (the user cannot scroll it by typing).
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return !edit->isReadOnly() || edit->text().isEmpty()
                   ? 0
                   : edit->fontMetrics().horizontalAdvance(edit->text()) + 8;
    return 0;
}

QString TextOf(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w)) return group->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
    return {};
}

// A mnemonic: "&" before a character that is not "&" or a space.
qsizetype Mnemonics(const QString& text) {
    static const QRegularExpression mnemonic(QStringLiteral("&[^&\\s]"));
    return text.count(mnemonic);
}

class TranslationTest : public WindowTest {
  protected:
    TranslationTest() {
        std::filesystem::copy_file(ProgramDataDirectory() / "language" / "CHINESE.man",
                                   data / "language" / "CHINESE.man");
    }
};

// Each language in turn, English last: what the previous one showed is
// replaced, not kept.
TEST_F(TranslationTest, TheWindowsOwnTextsAndQtsFollowTheLanguage) {
    TfmMain& window = Open();
    window.comboLangDropDown();
    for (const LanguageCase& c : kLanguages) {
        SCOPED_TRACE(c.file);
        const int item = window.comboLang->findData(QString::fromLatin1(c.file));
        ASSERT_GE(item, 0);
        EXPECT_EQ(window.comboLang->itemText(item), QString::fromUtf8(c.ownName));
        emit window.comboLang->textActivated(window.comboLang->itemText(item));
        EXPECT_EQ(window.comboLang->currentText(), QString::fromUtf8(c.ownName));
        EXPECT_EQ(window.actOpen->text(), QString::fromUtf8(c.openItem));
        EXPECT_EQ(window.dlgModifyTrackName->windowTitle(), QString::fromUtf8(c.trackDialog));
        EXPECT_EQ(window.chartAltitude->BottomAxisTitle(), QString::fromUtf8(c.distanceAxis));
        messages.shown.clear();
        window.OpenFiles({QString::fromStdString((data / "nowhere.trk").string())});
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(QString::fromStdString(messages.shown[0].text)
                        .startsWith(QString::fromUtf8(c.openRefusal)))
            << messages.shown[0].text;
        QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8(c.qtCancel));
    }
}

// Buttons, labels, group titles, the boxes that show a downloaded track's
// values, the tabs and the menu bar are as wide as their texts on every
// page, the hidden Status page included.
TEST_F(TranslationTest, NoTextIsCutAtTheDesignSize) {
    TfmMain& window = Open();
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    window.ShowStatusSheet(true);
    window.resize(TfmMain::kDesignSize);
    window.show();
    for (const LanguageCase& c : kLanguages) {
        window.comboLangChange(QString::fromLatin1(c.file));
        for (int page = 0; page < window.pgctlMain->count(); ++page) {
            window.pgctlMain->setCurrentIndex(page);
            QApplication::processEvents();
            QWidget* shown = window.pgctlMain->currentWidget();
            for (const QWidget* w : shown->findChildren<QWidget*>()) {
                if (!w->isVisible()) continue;
                EXPECT_GE(w->width(), NeededWidth(w))
                    << c.file << " " << w->metaObject()->className() << " "
                    << w->objectName().toStdString() << " " << TextOf(w).toStdString();
            }
        }
        EXPECT_LE(window.pgctlMain->tabBar()->sizeHint().width(), window.pgctlMain->width())
            << c.file;
        EXPECT_LE(window.menuBar()->sizeHint().width(), window.width()) << c.file;
    }
}

// The core's words: whole texts, frames with their parts (a part may hold
// the frame's own marks), and texts the translations do not know.
TEST_F(TranslationTest, CoreTextsAreShownInTheLanguageChosen) {
    WindowTranslators translators;
    ASSERT_TRUE(translators.Use(QLocale(QLocale::German)));
    const std::pair<std::string_view, const char*> cases[] = {
        {"Vantrel Not Found!", "Vantrel nicht gefunden!"},
        {"Cannot open day3.kml: the device stopped answering",
         "day3.kml kann nicht geöffnet werden: das Gerät antwortet nicht mehr"},
        {"Cannot open a: b: c", "a kann nicht geöffnet werden: b: c"},
        {"Cannot save %2.gpx: it is %1 full",
         "%2.gpx kann nicht gespeichert werden: it is %1 full"},
        {"The plan upload failed: the device cancelled it.",
         "Das Hochladen des Plans ist fehlgeschlagen: das Gerät hat abgebrochen."},
        {"Altitude above ellipsoid (ft)", "Höhe über dem Ellipsoid (ft)"},
        {"There is no serial port /dev/ttyUSB0. Check that the device is plugged in and switched "
         "on, or choose another port.",
         "Es gibt keine serielle Schnittstelle /dev/ttyUSB0. Prüfen Sie, ob das Gerät "
         "angeschlossen und eingeschaltet ist, oder wählen Sie eine andere Schnittstelle."},
        {"A text nobody translated", "A text nobody translated"},
        {"", ""},
        {"Cannot merge: Day 1 and Day 2 overlap in time; only tracks that follow one another can "
         "be merged.",
         "Zusammenführen nicht möglich: Day 1 und Day 2 überschneiden sich zeitlich; nur "
         "aufeinanderfolgende Tracks lassen sich zusammenführen."},
        // A file's name is never taken for an edit's.
        {"Cannot open Delete me.trk: the device stopped answering",
         "Delete me.trk kann nicht geöffnet werden: das Gerät antwortet nicht mehr"},
    };
    for (const auto& [english, shown] : cases)
        EXPECT_EQ(CoreText(english), QString::fromUtf8(shown)) << english;
    // Undo and Redo name their step in the language chosen.
    EXPECT_EQ(HistoryText("Undo Trim Day 3"), QStringLiteral("Rückgängig: Day 3 kürzen"));
    EXPECT_EQ(HistoryText("Redo Merge 2 Tracks"),
              QStringLiteral("Wiederholen: 2 Tracks zusammenführen"));
    EXPECT_EQ(HistoryText("Redo"), QStringLiteral("Wiederholen"));
    // The core's fixed messages are among the texts looked up.
    const std::vector<const char*> known = CoreTextList();
    for (std::string_view text : {kDeviceNotFoundText, kNoTimeZoneText, kNoInternetText,
                                  kEmptyTitleText, kPlanPageSilentText, kPageFileMissingText})
        EXPECT_NE(std::find(known.begin(), known.end(), text), known.end()) << text;
}

// A language file's name, matched ignoring case, gives its language in its
// own name; a name that is no language stands for itself.
TEST(LanguageOfFile, NamesEachLanguageInItself) {
    const std::pair<const char*, const char*> cases[] = {
        {"ENGLISH", "English"}, {"german", "Deutsch"}, {"CHINESE", "简体中文"},
        {"FRENCH", "Français"}, {"TAGS", "TAGS"},      {"", ""},
    };
    for (const auto& [file, ownName] : cases)
        EXPECT_EQ(LanguageOfFile(QString::fromLatin1(file)).ownName, QString::fromUtf8(ownName))
            << file;
    EXPECT_EQ(LanguageOfFile(QStringLiteral("TAGS")).locale, QLocale::c());
}

// Every entry of the shipped translations is translated, keeps the
// source's %N parts and has one mnemonic where the source has one.
TEST(TranslationFiles, EveryEntryIsTranslatedWithItsPartsAndMnemonic) {
    for (const char* name : {"vantrel_de.ts", "vantrel_zh_CN.ts"}) {
        QFile file(QStringLiteral(VANTREL_TRANSLATIONS_DIR "/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        QXmlStreamReader xml(&file);
        QString source;
        int entries = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == QLatin1String("source")) source = xml.readElementText();
            if (xml.name() != QLatin1String("translation")) continue;
            ++entries;
            const bool unfinished = xml.attributes().hasAttribute(QLatin1String("type"));
            const QString text = xml.readElementText();
            const std::string where = std::string(name) + ": " + source.toStdString();
            EXPECT_FALSE(unfinished) << where;
            EXPECT_FALSE(text.isEmpty()) << where;
            for (const QString& part : {QStringLiteral("%1"), QStringLiteral("%2")})
                EXPECT_EQ(text.contains(part), source.contains(part)) << where;
            EXPECT_EQ(Mnemonics(text), Mnemonics(source)) << where;
        }
        EXPECT_FALSE(xml.hasError()) << name << ": " << xml.errorString().toStdString();
        EXPECT_GT(entries, 100) << name;
    }
}

}  // namespace
}  // namespace vantrel::testing
