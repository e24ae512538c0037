#pragma once

#include <QString>

class QWidget;

namespace shell {

// Reports through the host's error report (Sistema.RegistrarError) for the
// module "RS501". Never throws: when the host cannot take the report, it
// goes to the process's warning output, so a handler's own report cannot
// escape into the event loop.
void report(QWidget* window, const QString& message, int style, const QString& title, const QString& identifier);

// Styles of the report: a critical icon, an exclamation icon.
constexpr int kCritical = 16;
constexpr int kExclamation = 48;

}  // namespace shell
