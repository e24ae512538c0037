#pragma once

#include <QFont>
#include <QString>

namespace core {

// The screens were designed with Arial, Calibri and Franklin Gothic Medium,
// which Linux lacks; this maps each onto a free font of the same metrics
// (or the closest we have) so texts fit the designed sizes.
void installFontSubstitutes();

// A font of a designed family and point size.
QFont designFont(const QString& family, double pointSize, bool bold = false);

}  // namespace core
