#include "host/controls/label.h"

#include "platform/core/units.h"

namespace controls {

Label::Label(QWidget* parent) : QLabel(parent) {
    // Captions come from the database and from people: never guess markup in them.
    setTextFormat(Qt::PlainText);
    setAlignmentCode(Left);
    applyColors();
}

void Label::setAlignmentCode(int code) {
    alignmentCode_ = code;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (code == Right) horizontal = Qt::AlignRight;
    if (code == Center) horizontal = Qt::AlignHCenter;
    setAlignment(horizontal | Qt::AlignVCenter);
}

void Label::setBackcolor(int bgr) {
    backcolor_ = bgr;
    applyColors();
}

void Label::setForecolor(int bgr) {
    forecolor_ = bgr;
    applyColors();
}

void Label::applyColors() {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, core::fromBgr(static_cast<quint32>(forecolor_)));
    if (backcolor_ >= 0) pal.setColor(QPalette::Window, core::fromBgr(static_cast<quint32>(backcolor_)));
    setAutoFillBackground(backcolor_ >= 0);
    setPalette(pal);
}

}  // namespace controls
