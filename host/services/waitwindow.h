#pragma once

#include <QDialog>

namespace services {

// The small window shown while the server keeps the program waiting:
// "Esperando al servidor…" and Cancelar. It is application-modal, so a
// click on the screens behind it cannot start a second database action
// while the first still waits; closing it (Esc, the title bar) cancels too.
class WaitWindow : public QDialog {
    Q_OBJECT
public:
    explicit WaitWindow(QWidget* parent = nullptr);

signals:
    void cancelled();
};

}  // namespace services
