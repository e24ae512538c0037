#pragma once

#include <QString>

class QWidget;

namespace shell {

// Names a control for assistive technology, and the part of it that takes
// the focus (a host box's own editor); a visible label, when given, is tied
// to it as its buddy so the two are read together.
void nameControl(QWidget* control, const QString& name, QWidget* label = nullptr);

// Names the buttons inside a control (a look-up box's "…") by what they do.
void nameButtons(QWidget* control, const QString& name);

}  // namespace shell
