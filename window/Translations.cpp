#include "window/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace vantrel {

namespace {

QLocale::Language LanguageNamed(const QString& englishName) {
    for (int code = QLocale::C + 1; code <= QLocale::LastLanguage; ++code) {
        const auto language = static_cast<QLocale::Language>(code);
        if (QLocale::languageToString(language).compare(englishName, Qt::CaseInsensitive) == 0)
            return language;
    }
    return QLocale::C;
}

}  // namespace

WindowLanguage LanguageOfFile(const QString& fileName) {
    const QLocale::Language language = LanguageNamed(fileName);
    if (language == QLocale::C) return {QLocale::c(), fileName};
    const QLocale locale(language);
    // Qt names English after its territory ("American English"); the
    // program's texts are written in English without one.
    if (language == QLocale::English) return {locale, QLocale::languageToString(language)};
    QString name = locale.nativeLanguageName();
    if (name.isEmpty()) return {locale, fileName};
    name[0] = name[0].toUpper();
    return {locale, name};
}

WindowTranslators::~WindowTranslators() {
    Remove();
}

void WindowTranslators::Remove() {
    if (!installed_) return;
    QCoreApplication::removeTranslator(&qt_);
    QCoreApplication::removeTranslator(&ours_);
    installed_ = false;
}

bool WindowTranslators::Use(const QLocale& locale) {
    Remove();
    if (locale.language() == QLocale::C || locale.language() == QLocale::English) return true;
    if (!ours_.load(locale, QStringLiteral("vantrel"), QStringLiteral("_"),
                    QStringLiteral(":/i18n")))
        return false;
    // Qt's own texts are a help, not a need: without them its dialogs stay
    // English.
    if (qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt_);
    QCoreApplication::installTranslator(&ours_);
    installed_ = true;
    return true;
}

}  // namespace vantrel
