#include "src/shell/report.h"

#include "src/shell/publico.h"

namespace shell {

void report(QWidget* window, const QString& message, int style, const QString& title, const QString& identifier) {
    try {
        Publico::Sistema()->RegistrarError(message, style, title, window, QStringLiteral("RS501"), identifier);
    } catch (const std::exception& e) {
        qWarning("%s %s: %s (%s)", qPrintable(title), qPrintable(identifier), qPrintable(message), e.what());
    }
}

}  // namespace shell
