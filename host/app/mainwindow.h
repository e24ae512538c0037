#pragma once

#include <QMainWindow>

namespace app {

// The host's main window: the object the module's screens take as their
// owner, which answers the "Transaccion" property by name.
class MainWindow : public QMainWindow {
    Q_OBJECT
    Q_PROPERTY(QString Transaccion READ transaccion WRITE setTransaccion)
public:
    MainWindow(const QString& databaseDescription, const QString& user, QWidget* parent = nullptr);

    // Shows the module's screen as the window's content, sized as designed.
    void showScreen(QWidget* screen);

    QString transaccion() const { return transaccion_; }
    void setTransaccion(const QString& text) { transaccion_ = text; }

private:
    QString transaccion_ = QStringLiteral("RS501");
};

}  // namespace app
