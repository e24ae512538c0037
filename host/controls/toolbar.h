#pragma once

#include <QMetaMethod>
#include <QWidget>

#include "src/shell/itoolbar.h"

class QAction;
class QLabel;
class QToolButton;

namespace controls {

// toolbarQNT.Controles: the screen's command bar. It knows whether a new or
// a modified record is under way, so that accept tells the screen which one
// it is and only accept and cancel are offered meanwhile. A command is offered
// only while its signal has a receiver: a screen that does not handle it gets
// no button that would do nothing.
class Toolbar : public QWidget, public shell::IToolbar {
    Q_OBJECT
    Q_INTERFACES(shell::IToolbar)
    Q_PROPERTY(bool NuevoHabilitado READ NuevoHabilitado WRITE setNuevoHabilitado)
    Q_PROPERTY(bool ModificarHabilitado READ ModificarHabilitado WRITE setModificarHabilitado)
    Q_PROPERTY(bool EliminarHabilitado READ EliminarHabilitado WRITE setEliminarHabilitado)
    Q_PROPERTY(bool ConsultarHabilitado READ ConsultarHabilitado WRITE setConsultarHabilitado)
    Q_PROPERTY(bool ImprimirHabilitado READ ImprimirHabilitado WRITE setImprimirHabilitado)
    Q_PROPERTY(bool Bandera READ Bandera WRITE setBandera)
    Q_PROPERTY(bool EstadoEsc READ EstadoEsc)
    Q_PROPERTY(bool EsNuevo READ EsNuevo)
    Q_PROPERTY(bool Activo READ Activo)
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QString tabwidth READ tabwidth WRITE setTabwidth)
    Q_PROPERTY(QString easyaccessenabled READ easyaccessenabled WRITE setEasyaccessenabled)
    Q_PROPERTY(QString showmenupopup READ showmenupopup WRITE setShowmenupopup)
    Q_PROPERTY(QString showwindowslist READ showwindowslist WRITE setShowwindowslist)
    Q_PROPERTY(QString showexitbutton READ showexitbutton WRITE setShowexitbutton)
    Q_PROPERTY(QString opc_table READ opcTable WRITE setOpcTable)
    Q_PROPERTY(QString opc_key READ opcKey WRITE setOpcKey)
    Q_PROPERTY(bool permitir_mover READ permitirMover WRITE setPermitirMover)
public:
    // Designed height: 960 twips.
    static constexpr int kHeightTwips = 960;

    explicit Toolbar(QWidget* parent = nullptr);

    Q_INVOKABLE void EjecutarNuevo() override;
    Q_INVOKABLE void RechazaAceptar() override;
    Q_INVOKABLE void ConfirmaAceptar() override;
    Q_INVOKABLE void Activar(bool on) override;

    bool NuevoHabilitado() const { return nuevoOn_; }
    void setNuevoHabilitado(bool on) override;
    bool ModificarHabilitado() const { return modificarOn_; }
    void setModificarHabilitado(bool on) override;
    bool EliminarHabilitado() const { return eliminarOn_; }
    void setEliminarHabilitado(bool on) override;
    bool ConsultarHabilitado() const { return consultarOn_; }
    void setConsultarHabilitado(bool on) override;
    bool ImprimirHabilitado() const { return imprimirOn_; }
    void setImprimirHabilitado(bool on) override;
    bool Bandera() const override { return bandera_; }
    void setBandera(bool on) override { bandera_ = on; }
    bool EstadoEsc() const override { return mode_ != Mode::Browse; }
    bool EsNuevo() const { return mode_ == Mode::New; }
    bool Activo() const { return active_; }

    QString caption() const;
    void setCaption(const QString& text);
    QString tabwidth() const { return tabwidth_; }
    void setTabwidth(const QString& text) { tabwidth_ = text; }
    QString easyaccessenabled() const { return easyAccess_; }
    void setEasyaccessenabled(const QString& text) { easyAccess_ = text; }
    QString showmenupopup() const { return showMenuPopup_; }
    void setShowmenupopup(const QString& text) { showMenuPopup_ = text; }
    QString showwindowslist() const { return showWindowsList_; }
    void setShowwindowslist(const QString& text) { showWindowsList_ = text; }
    QString showexitbutton() const { return showExitButton_; }
    void setShowexitbutton(const QString& text);
    QString opcTable() const { return opcTable_; }
    void setOpcTable(const QString& text) { opcTable_ = text; }
    QString opcKey() const { return opcKey_; }
    void setOpcKey(const QString& text) { opcKey_ = text; }
    bool permitirMover() const { return permitirMover_; }
    void setPermitirMover(bool on) { permitirMover_ = on; }

    // The button of an action by its object name, e.g. "btnNuevo".
    QToolButton* button(const QString& name) const;

signals:
    void Nuevo();
    void Modificar();
    void Consultar();
    void Eliminar();
    void Imprimir();
    void Aceptar(bool EsNuevo);
    void Salir();
    void Cerrar();
    void Cancelar();

protected:
    // Screens connect after construction; the buttons follow what they handle.
    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Mode { Browse, New, Modify };

    template <typename Signal>
    bool handles(Signal signal) const {
        return isSignalConnected(QMetaMethod::fromSignal(signal));
    }

    QAction* addCommand(const QString& name, const QKeySequence& shortcut);
    void begin(Mode mode);
    void refresh();
    void fitButtons();

    QLabel* caption_;
    QAction* nuevo_ = nullptr;
    QAction* modificar_ = nullptr;
    QAction* consultar_ = nullptr;
    QAction* eliminar_ = nullptr;
    QAction* imprimir_ = nullptr;
    QAction* aceptar_ = nullptr;
    QAction* cancelar_ = nullptr;
    QAction* salir_ = nullptr;
    QAction* cerrar_ = nullptr;
    Mode mode_ = Mode::Browse;
    bool nuevoOn_ = true;
    bool modificarOn_ = true;
    bool eliminarOn_ = true;
    bool consultarOn_ = true;
    bool imprimirOn_ = false;
    bool bandera_ = false;
    bool active_ = true;
    bool permitirMover_ = false;
    bool refreshQueued_ = false;
    QString tabwidth_;
    QString easyAccess_;
    QString showMenuPopup_;
    QString showWindowsList_;
    QString showExitButton_ = QStringLiteral("SI");
    QString opcTable_;
    QString opcKey_;
};

}  // namespace controls
