#pragma once

#include <QString>
#include <QWidget>

#include "platform/core/error.h"
#include "src/shell/controlnames.h"

namespace shell {

// Creates the host's controls by their design class name through the
// component runtime, named and placed on a screen.
class HostControls {
public:
    static inline const QString& kToolbar = ControlNames::kToolbar;
    static inline const QString& kTextBox = ControlNames::kTextBox;
    static inline const QString& kLabel = ControlNames::kLabel;
    static inline const QString& kFlatButton = ControlNames::kFlatButton;
    static inline const QString& kDatePicker = ControlNames::kDatePicker;
    static inline const QString& kColorScheme = ControlNames::kColorScheme;

    // A control of the class, child of parent, with objectName name.
    // Throws core::Error when the host does not supply the class.
    static QObject* create(const QString& className, const QString& name, QObject* parent);
    static QWidget* createWidget(const QString& className, const QString& name, QWidget* parent);

    // Places a control at its designed place, given in twips.
    static void place(QWidget* control, int left, int top, int width, int height);

    // Connects a control's event to a screen's handler, by their names;
    // throws when the control does not raise that event.
    static void connectEvent(QObject* control, const char* signal, QObject* screen, const char* slot);

    // The control's interface; throws when it does not offer it.
    template <typename Interface>
    static Interface* as(QObject* control) {
        auto* i = qobject_cast<Interface*>(control);
        if (!i)
            throw core::Error(QStringLiteral("El control %1 no ofrece la interfaz esperada.")
                                  .arg(control ? control->objectName() : QStringLiteral("(nulo)")));
        return i;
    }
};

}  // namespace shell
