#pragma once
// The window's face: Tahoma 8 point where it is installed, else a narrow face
// of the same size, so that texts fit the widths the layout gives them.

#include <QFont>

namespace vantrel {

inline QFont UiFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Liberation Sans Narrow")});
    font.setPointSize(8);
    return font;
}

}  // namespace vantrel
