#include "src/shell/accessiblename.h"

#include <QAbstractButton>
#include <QLabel>

namespace shell {

void nameControl(QWidget* control, const QString& name, QWidget* label) {
    for (QWidget* w = control; w; w = w->focusProxy()) w->setAccessibleName(name);
    if (auto* caption = qobject_cast<QLabel*>(label)) caption->setBuddy(control);
}

void nameButtons(QWidget* control, const QString& name) {
    for (QAbstractButton* button : control->findChildren<QAbstractButton*>()) button->setAccessibleName(name);
}

}  // namespace shell
