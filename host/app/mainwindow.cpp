#include "host/app/mainwindow.h"

#include <QStatusBar>

namespace app {

MainWindow::MainWindow(const QString& databaseDescription, const QString& user, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QStringLiteral("RS501 - Reservación de salas de juntas"));
    statusBar()->showMessage(QStringLiteral("Usuario: %1    Base de datos: %2").arg(user, databaseDescription));
}

void MainWindow::showScreen(QWidget* screen) {
    const QSize designed = screen->size();
    setCentralWidget(screen);
    resize(designed.width(), designed.height() + statusBar()->sizeHint().height());
}

}  // namespace app
