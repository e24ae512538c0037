#include "host/controls/lengthlimit.h"

namespace controls {

QValidator::State LengthLimit::validate(QString& input, int& pos) const {
    if (limit_ <= 0 || writing_() || input.toUcs4().size() <= limit_) {
        accepted_ = input;
        return Acceptable;
    }
    // What was just typed or pasted ends at the cursor: its tail goes.
    QString cut = input;
    qsizetype from = pos;
    for (qsizetype excess = input.toUcs4().size() - limit_; excess > 0; --excess) {
        if (from == 0) return Invalid;
        from -= from >= 2 && cut.at(from - 1).isLowSurrogate() && cut.at(from - 2).isHighSurrogate() ? 2 : 1;
    }
    cut.remove(from, pos - from);
    // Nothing of it left: refused, so the box changes (and signals) nothing.
    if (cut == accepted_) return Invalid;
    input = accepted_ = cut;
    pos = static_cast<int>(from);
    return Acceptable;
}

}  // namespace controls
