#pragma once
// Text from files and the device (language files, track names, plan titles,
// port names, messages that quote them) shown as written: Qt reads text that
// looks like markup as rich text in labels, message boxes and tool tips, so
// "<b>" would turn bold and "<img>" would load an image.

#include <QLabel>
#include <QMessageBox>
#include <QString>
#include <QTextDocument>

namespace vantrel {

inline QLabel* PlainLabel(QLabel* label) {
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A tool tip is rich text whenever it looks like it: such text is escaped
// into rich text that shows it exactly.
inline QString PlainToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

// A modal message box with an OK button whose text is plain.
inline void ShowPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                             const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace vantrel
