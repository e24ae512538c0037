#pragma once

#include <QColor>

namespace core {

// The contrast of two colours as screen readers and accessibility checkers
// measure it: 1 (same luminance) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// The colour for disabled text on a background: a grey, so it still looks
// out of use, but the mildest one that can still be read (4.5:1 at least).
QColor readableDisabledText(const QColor& background);

// Black or white, whichever stands out more on the background: the colour
// for a mark (a focus frame) that must be seen on any fill.
QColor strongestOn(const QColor& background);

}  // namespace core
