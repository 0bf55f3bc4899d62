#pragma once
// Shows the texts of a window and everything in it in the language whose
// translators are installed now, after a change of language.
//
// The first time a text is met it is kept as its source: the English the
// code set. Each later pass shows the source's translation in the context
// of the nearest class around it that translates it (tr() takes the class
// that set the text; free functions the context "vantrel"). A text the code
// changed since the last pass becomes the new source. Texts of the
// language files' components (their object names in `skipped`), line
// edits' contents and the window's own caption are left alone.

#include <QSet>
#include <QString>

class QWidget;

namespace vantrel {

void Retranslate(QWidget* window, const QSet<QString>& skipped);

}  // namespace vantrel
