#pragma once
// A widget given its object name, the name that tests, language files and
// style sheets find it by.

#include <QString>

namespace vantrel {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace vantrel
