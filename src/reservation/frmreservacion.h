#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QTime>
#include <optional>

#include "src/reservation/editorcontrols.h"
#include "src/reservation/editorlayout.h"
#include "src/reservation/editorstate.h"
#include "src/shell/screenparent.h"

namespace reservation {

struct Reservacion;
struct TypedReservation;

// The reservation editor: shown modally by the calendar for one slot of one
// room, on a new reservation or on a stored one. It never closes for good:
// every way out hides it, and the calendar reads OK before unloading it.
class frmReservacion : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QObject* Padre READ Padre WRITE setPadre)
    Q_PROPERTY(QString Transaccion READ Transaccion)
    Q_PROPERTY(QString Error READ Error WRITE setError)
    Q_PROPERTY(bool OK READ OK WRITE setOK)
    Q_PROPERTY(bool Nuevo READ Nuevo WRITE setNuevo)
    Q_PROPERTY(QTime iHoraI READ iHoraI WRITE setiHoraI)
    Q_PROPERTY(QTime iHoraF READ iHoraF WRITE setiHoraF)
    Q_PROPERTY(bool CHFEFIN READ CHFEFIN WRITE setCHFEFIN)
    Q_PROPERTY(bool Loaded READ Loaded)
public:
    // The one shared editor, created (not loaded, not shown) on first use as
    // a dialog of owner.
    static frmReservacion* instance(QWidget* owner = nullptr);
    static bool exists();
    // Discards the shared editor; the next instance() starts afresh.
    static void Unload();
    ~frmReservacion() override;

    QObject* Padre() const { return parent_.Padre(); }
    void setPadre(QObject* padre) { parent_.setPadre(padre); }
    QString Transaccion() const { return parent_.Transaccion(); }
    const QString& Error() const { return error_; }
    void setError(const QString& text) { error_ = text; }
    bool OK() const { return ok_; }
    void setOK(bool on) { ok_ = on; }
    bool Nuevo() const { return nuevo_; }
    void setNuevo(bool on) { nuevo_ = on; }
    QTime iHoraI() const { return iHoraI_; }
    void setiHoraI(const QTime& t) { iHoraI_ = t; }
    QTime iHoraF() const { return iHoraF_; }
    void setiHoraF(const QTime& t) { iHoraF_ = t; }
    bool CHFEFIN() const { return chfefin_; }
    void setCHFEFIN(bool on) { chfefin_ = on; }
    bool Loaded() const { return loaded_; }

    // Runs Form_Load once per instance; failures reach the caller.
    Q_INVOKABLE void Load();
    // Shows the stored, not cancelled reservation of Folio; false with Error
    // set when there is none or it cannot be shown.
    Q_INVOKABLE bool Cargar(const QString& Folio);
    // Prepares a new reservation on the dates, times and room already set.
    Q_INVOKABLE void Ejecuta_Nuevo();
    Q_INVOKABLE void txtSala_Junta_Consulta();
    // True when the room is free at the editor's times on every day of its
    // range; else false with Error set to the conflict or the failure.
    Q_INVOKABLE bool Valida_Disponibilidad(bool EsNuevo);
    // Writes one day of the editor's reservation inside the caller's
    // transaction; false with Error set when it could not.
    Q_INVOKABLE bool Add_Reservacion(bool EsNuevo, const QDate& Fecha, const QString& HoraInicial,
                                     const QString& HoraFinal, const QString& Usuario,
                                     const QString& FechaModificacion);
    // Remembers the responsible person's name in its catalogue; silent.
    Q_INVOKABLE void GetResponsable(const QString& Valor);

public slots:
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_KeyUp(int KeyCode, int Shift);
    void Controles_Nuevo();
    void Controles_Modificar();
    void Controles_Consultar();
    void Controles_Aceptar(bool EsNuevo);
    void Controles_Eliminar();
    void Controles_Salir();
    void Controles_Cerrar();
    void Controles_Cancelar();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    explicit frmReservacion(QWidget* owner);
    void connectEvents();
    void enter(EditorState state);
    bool fail(const QString& label, const QString& description);
    // What the person typed, read once.
    TypedReservation typed() const;
    bool checkFree(const TypedReservation& value, bool esNuevo);
    bool confirmClientKey();
    void refuse(const QString& message, int style, const QString& title, const QString& identifier,
                QWidget* focus);

    shell::ScreenParent parent_;
    QString error_;
    bool ok_ = false;
    bool nuevo_ = false;
    QTime iHoraI_;
    QTime iHoraF_;
    bool chfefin_ = false;
    bool loaded_ = false;
    bool focusPlaced_ = false;    // the first activation of a showing placed it
    bool calendarStale_ = false;  // another desktop changed what the calendar shows
    bool clientKeyEdited_ = false;  // typed since its last look-up
    QList<std::pair<QString, std::optional<QString>>> asLoaded_;
    EditorGeometry geometry_;

    EditorControls ui_;
};

}  // namespace reservation
