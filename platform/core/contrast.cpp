#include "platform/core/contrast.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

constexpr double kReadable = 4.5;

double channel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableDisabledText(const QColor& background) {
    // From mid grey towards black on a light background, towards white on a
    // dark one; the ends always reach the ratio against one side or the other.
    const bool light = contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background);
    for (int step = 0; step <= 128; ++step) {
        const int level = light ? std::max(128 - step, 0) : std::min(128 + step, 255);
        const QColor grey(level, level, level);
        if (contrastRatio(grey, background) >= kReadable) return grey;
    }
    return light ? QColor(Qt::black) : QColor(Qt::white);
}

QColor strongestOn(const QColor& background) {
    return contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background) ? QColor(Qt::black)
                                                                                         : QColor(Qt::white);
}

}  // namespace core
