#include "host/app/mainwindow.h"

#include <QLabel>
#include <QStatusBar>

namespace app {

MainWindow::MainWindow(const QString& databaseDescription, const QString& user, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QStringLiteral("RS501 - Reservación de salas de juntas"));
    auto* placeholder = new QLabel(QStringLiteral("Reservación de salas de juntas"), this);
    placeholder->setAlignment(Qt::AlignCenter);
    setCentralWidget(placeholder);
    statusBar()->showMessage(QStringLiteral("Usuario: %1    Base de datos: %2").arg(user, databaseDescription));
    resize(1024, 700);
}

}  // namespace app
