#include "src/shell/hostcontrols.h"

#include "platform/component/runtime.h"
#include "platform/core/units.h"

namespace shell {

QObject* HostControls::create(const QString& className, const QString& name, QObject* parent) {
    QObject* control = component::Runtime::instance().createObject(className);
    control->setObjectName(name);
    if (auto* widget = qobject_cast<QWidget*>(control); widget && parent && parent->isWidgetType())
        widget->setParent(static_cast<QWidget*>(parent));
    else
        control->setParent(parent);
    return control;
}

QWidget* HostControls::createWidget(const QString& className, const QString& name, QWidget* parent) {
    QObject* control = create(className, name, parent);
    auto* widget = qobject_cast<QWidget*>(control);
    if (!widget) {
        delete control;
        throw core::Error(QStringLiteral("El control %1 (%2) no es una ventana.").arg(name, className));
    }
    return widget;
}

void HostControls::place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(core::twipsToPixels(left), core::twipsToPixels(top), core::twipsToPixels(width),
                         core::twipsToPixels(height));
}

void HostControls::connectEvent(QObject* control, const char* signal, QObject* screen, const char* slot) {
    if (!QObject::connect(control, signal, screen, slot))
        throw core::Error(QStringLiteral("El control %1 no ofrece el evento %2.")
                              .arg(control->objectName(), QString::fromLatin1(signal + 1)));
}

}  // namespace shell
