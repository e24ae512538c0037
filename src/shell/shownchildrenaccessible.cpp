#include "src/shell/shownchildrenaccessible.h"

#include <QDialog>

namespace shell {

namespace {

const char* const kMarker = "shownChildrenOnly";

bool inMarkedScreen(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (w->property(kMarker).toBool()) return true;
    return false;
}

// The screen itself, and inside it every control that would otherwise be
// read as a plain widget; the toolkit's own controls keep their interfaces.
QAccessibleInterface* makeScreenInterface(const QString& key, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* w = static_cast<QWidget*>(object);
    const bool screen = key == QLatin1String(object->metaObject()->className()) && w->property(kMarker).toBool();
    if (!screen && (key != QLatin1String("QWidget") || !inMarkedScreen(w))) return nullptr;
    return new ShownChildrenAccessible(w);
}

// Hidden by code, not merely not shown yet because the screen is not.
bool hiddenOnPurpose(QAccessibleInterface* child) {
    const QObject* object = child->object();
    const auto* w = object && object->isWidgetType() ? static_cast<const QWidget*>(object) : nullptr;
    return w && w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

}  // namespace

ShownChildrenAccessible::ShownChildrenAccessible(QWidget* widget)
    : QAccessibleWidget(widget, qobject_cast<QDialog*>(widget) ? QAccessible::Dialog : QAccessible::Client) {}

// The factory goes when the library that holds it is unloaded, so the
// toolkit never calls into a closed library.
void ShownChildrenAccessible::install(QWidget* screen) {
    struct Registration {
        Registration() { QAccessible::installFactory(makeScreenInterface); }
        ~Registration() { QAccessible::removeFactory(makeScreenInterface); }
    };
    static const Registration registration;
    screen->setProperty(kMarker, true);
}

QList<QAccessibleInterface*> ShownChildrenAccessible::shown() const {
    QList<QAccessibleInterface*> out;
    for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
        QAccessibleInterface* c = QAccessibleWidget::child(i);
        if (c && !hiddenOnPurpose(c)) out << c;
    }
    return out;
}

int ShownChildrenAccessible::childCount() const {
    return static_cast<int>(shown().size());
}

QAccessibleInterface* ShownChildrenAccessible::child(int index) const {
    return shown().value(index);
}

int ShownChildrenAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return shown().indexOf(const_cast<QAccessibleInterface*>(child));
}

}  // namespace shell
