#include "window/Retranslation.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QWidget>

namespace vantrel {

namespace {

constexpr const char* kSourcePrefix = "vantrelSource.";
constexpr const char* kShownPrefix = "vantrelShown.";

QByteArray Key(const char* prefix, const QByteArray& name) {
    return QByteArray(prefix) + name;
}

// The translation of `source` in the first of the object's classes, and
// those of its parents, that translates it.
QString TranslationFor(const QObject* object, const QString& source) {
    const QByteArray text = source.toUtf8();
    for (const QObject* at = object; at != nullptr; at = at->parent()) {
        const char* context = at->metaObject()->className();
        if (qstrncmp(context, "vantrel::", 9) != 0) continue;
        const QString translated = QCoreApplication::translate(context, text.constData());
        if (translated != source) return translated;
    }
    return QCoreApplication::translate("vantrel", text.constData());
}

// One text of `owner`, read and written by `get` and `set`, kept under `name`.
template <class Get, class Set>
void RetranslateText(QObject* owner, const QByteArray& name, Get get, Set set) {
    const QString now = get();
    const QVariant shown = owner->property(Key(kShownPrefix, name));
    if (!shown.isValid() || shown.toString() != now)
        owner->setProperty(Key(kSourcePrefix, name), now);
    const QString source = owner->property(Key(kSourcePrefix, name)).toString();
    const QString translated = source.isEmpty() ? source : TranslationFor(owner, source);
    if (translated != now) set(translated);
    owner->setProperty(Key(kShownPrefix, name), translated);
}

// A text that an object reads and writes with a pair of its own functions.
template <class Object>
void RetranslateProperty(Object* object, const QByteArray& name, QString (Object::*get)() const,
                         void (Object::*set)(const QString&)) {
    RetranslateText(
        object, name, [object, get] { return (object->*get)(); },
        [object, set](const QString& t) { (object->*set)(t); });
}

void RetranslateTabs(QTabWidget* tabs, const QSet<QString>& skipped) {
    for (int i = 0; i < tabs->count(); ++i) {
        QWidget* page = tabs->widget(i);
        if (skipped.contains(page->objectName())) continue;
        RetranslateText(
            page, "tab", [tabs, i] { return tabs->tabText(i); },
            [tabs, i](const QString& t) { tabs->setTabText(i, t); });
    }
}

// The items of a plain list (an editable box holds what the user typed).
void RetranslateItems(QComboBox* combo) {
    if (combo->isEditable()) return;
    for (int i = 0; i < combo->count(); ++i)
        RetranslateText(
            combo, "item" + QByteArray::number(i), [combo, i] { return combo->itemText(i); },
            [combo, i](const QString& t) { combo->setItemText(i, t); });
}

void RetranslateWidget(QWidget* widget, const QWidget* window) {
    if (widget->isWindow() && widget != window)
        RetranslateProperty(widget, "windowTitle", &QWidget::windowTitle, &QWidget::setWindowTitle);
    RetranslateProperty(widget, "toolTip", &QWidget::toolTip, &QWidget::setToolTip);
    if (auto* label = qobject_cast<QLabel*>(widget))
        RetranslateProperty(label, "text", &QLabel::text, &QLabel::setText);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        RetranslateProperty(button, "text", &QAbstractButton::text, &QAbstractButton::setText);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        RetranslateProperty(group, "title", &QGroupBox::title, &QGroupBox::setTitle);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        RetranslateProperty(edit, "placeholderText", &QLineEdit::placeholderText,
                            &QLineEdit::setPlaceholderText);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        RetranslateItems(combo);
}

// Headings are asked for when painted; the views learn that they changed.
void RefreshHeadings(QAbstractItemView* view) {
    QAbstractItemModel* model = view->model();
    if (model == nullptr || model->columnCount() == 0) return;
    emit model->headerDataChanged(Qt::Horizontal, 0, model->columnCount() - 1);
}

}  // namespace

void Retranslate(QWidget* window, const QSet<QString>& skipped) {
    for (QAction* action : window->findChildren<QAction*>())
        if (!skipped.contains(action->objectName()))
            RetranslateProperty(action, "text", &QAction::text, &QAction::setText);
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(widget)) RetranslateTabs(tabs, skipped);
        if (auto* view = qobject_cast<QAbstractItemView*>(widget)) RefreshHeadings(view);
        if (!skipped.contains(widget->objectName())) RetranslateWidget(widget, window);
    }
}

}  // namespace vantrel
