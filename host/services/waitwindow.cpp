#include "host/services/waitwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace services {

WaitWindow::WaitWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EsperaServidor"));
    setWindowTitle(QStringLiteral("RS501"));
    setWindowModality(Qt::ApplicationModal);
    auto* text = new QLabel(QStringLiteral("Esperando al servidor…"), this);
    text->setTextFormat(Qt::PlainText);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cmdCancelar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, &WaitWindow::cancelled);
}

}  // namespace services
