#include "host/controls/flatbutton.h"

#include <algorithm>

#include <QKeyEvent>
#include <QPainter>

#include "platform/core/contrast.h"
#include "platform/core/units.h"

namespace controls {

FlatButton::FlatButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setIconSize(QSize(16, 16));
    connect(this, &QAbstractButton::clicked, this, &FlatButton::Click);
}

void FlatButton::setCaption(const QString& caption) {
    setText(caption);
    updateGeometry();
}

void FlatButton::setBackcolor(int bgr) {
    backcolor_ = bgr;
    update();
}

void FlatButton::setBordercolor(int bgr) {
    bordercolor_ = bgr;
    update();
}

void FlatButton::setForecolor(int bgr) {
    forecolor_ = bgr;
    update();
}

void FlatButton::setFocuscolor(int bgr) {
    focuscolor_ = bgr;
    update();
}

void FlatButton::setIconsizePixels(int pixels) {
    setIconSize(QSize(pixels, pixels));
    updateGeometry();
}

QSize FlatButton::sizeHint() const {
    const QSize textSize = fontMetrics().size(Qt::TextShowMnemonic, text());
    const int iconWidth = icon().isNull() ? 0 : iconSize().width() + 4;
    return QSize(textSize.width() + iconWidth + 16, std::max(textSize.height(), iconSize().height()) + 10);
}

void FlatButton::keyPressEvent(QKeyEvent* event) {
    // Space is the base class's; Enter clicks as well.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QColor fill = core::fromBgr(static_cast<quint32>(hasFocus() ? focuscolor_ : backcolor_));
    if (isDown()) fill = fill.darker(115);
    p.fillRect(rect(), fill);
    p.setPen(core::fromBgr(static_cast<quint32>(bordercolor_)));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    QRect area = rect().adjusted(4, 2, -4, -2);
    if (!icon().isNull()) {
        const QSize size = iconSize();
        const QRect iconRect(area.left(), area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
        icon().paint(&p, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        area.setLeft(iconRect.right() + 4);
    }
    // Disabled text on the button's own fill, which the screen's palette knows nothing of.
    p.setPen(isEnabled() ? core::fromBgr(static_cast<quint32>(forecolor_)) : core::readableDisabledText(fill));
    p.drawText(area, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

}  // namespace controls
