#pragma once
// The window's texts beyond the language files: our translations and Qt's
// own (its dialogs and standard buttons), chosen by the language file in
// force. A language file's name ("GERMAN") names its language in English;
// the chooser shows the language in its own name ("Deutsch").

#include <QLocale>
#include <QString>
#include <QTranslator>

namespace vantrel {

struct WindowLanguage {
    QLocale locale;   // QLocale::c() when the name names no language
    QString ownName;  // the file's name when it names no language
};

// The language a language file's name stands for, matched ignoring case.
WindowLanguage LanguageOfFile(const QString& fileName);

// The translators installed on the application: ours (embedded at :/i18n)
// and Qt's (from Qt's translations folder), for one locale at a time. A
// locale without translations (English, the texts' own language) leaves
// the texts as written.
class WindowTranslators {
  public:
    WindowTranslators() = default;
    WindowTranslators(const WindowTranslators&) = delete;
    WindowTranslators& operator=(const WindowTranslators&) = delete;
    ~WindowTranslators();

    // Installs the translators of `locale`, in place of those installed
    // before; false when the window's own texts have no translation into it.
    bool Use(const QLocale& locale);

  private:
    void Remove();

    QTranslator ours_;
    QTranslator qt_;
    bool installed_ = false;
};

}  // namespace vantrel
