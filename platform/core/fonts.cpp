#include "platform/core/fonts.h"

#include <QStringList>

namespace core {

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Arial"), QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Calibri"), QStringList{QStringLiteral("Carlito"), QStringLiteral("Liberation Sans")});
    // No free font shares Franklin Gothic's metrics; Liberation Sans Narrow
    // keeps its condensed width closest.
    QFont::insertSubstitutions(QStringLiteral("Franklin Gothic Medium"),
                               QStringList{QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Liberation Sans")});
}

QFont designFont(const QString& family, double pointSize, bool bold) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace core
