#pragma once

#include <vector>

#include <QDate>
#include <QPointer>
#include <QString>
#include <QTime>
#include <QVariantList>
#include <QWidget>

#include "src/calendar/calendarcontrols.h"
#include "src/calendar/calendargrid.h"
#include "src/calendar/calendarlayout.h"
#include "src/calendar/failuretrail.h"
#include "src/shell/screenparent.h"

namespace calendar {

// The availability calendar: one meeting room's half-hour slots over a week
// or a month, painted free, reserved or non-working.
class frmRS501 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QObject* Padre READ Padre WRITE setPadre)
    Q_PROPERTY(QString Transaccion READ Transaccion)
    Q_PROPERTY(QString HorarioReservaciones READ HorarioReservaciones)
    Q_PROPERTY(QTime HoraInicio READ HoraInicio)
    Q_PROPERTY(QTime HoraFin READ HoraFin)
    Q_PROPERTY(QString UltimoError READ UltimoError)
    Q_PROPERTY(QDate FechaBase READ FechaBase)
    Q_PROPERTY(QDate Inicio READ Inicio)
    Q_PROPERTY(QDate Fin READ Fin)
    Q_PROPERTY(QString Tipo READ Tipo)
    Q_PROPERTY(QVariantList Fechas READ Fechas)
    Q_PROPERTY(bool CHFEFIN READ CHFEFIN)
    Q_PROPERTY(bool Loaded READ Loaded)
public:
    // The one shared screen, created (not shown) on first use.
    static frmRS501* instance();
    static bool exists();
    ~frmRS501() override;

    QObject* Padre() const { return parent_.Padre(); }
    void setPadre(QObject* padre) { parent_.setPadre(padre); }
    QString Transaccion() const { return parent_.Transaccion(); }

    const QString& HorarioReservaciones() const { return horario_; }
    QTime HoraInicio() const { return horaInicio_; }
    QTime HoraFin() const { return horaFin_; }
    const QString& UltimoError() const { return trail_.text(); }
    QDate FechaBase() const { return fechaBase_; }
    QDate Inicio() const { return inicio_; }
    QDate Fin() const { return fin_; }
    const QString& Tipo() const { return tipo_; }
    QVariantList Fechas() const;
    bool CHFEFIN() const { return chfefin_; }
    bool Loaded() const { return loaded_; }

    // Inner procedures: true on success, else UltimoError holds the trail.
    bool ObtenerInicioFin(const QDate& fechaBase, QDate& inicio, QDate& fin, const QString& tipo = QString());
    Q_INVOKABLE bool ObtenerInicioFin();  // on the screen's own fields
    Q_INVOKABLE bool CargarCalendario();
    Q_INVOKABLE bool DibujaCalendario(int columnas, int renglones);
    Q_INVOKABLE bool Encabezados(int columnas);
    Q_INVOKABLE bool Disponibilidad(const QString& sala);
    Q_INVOKABLE static QString NombreDia(int dia);

    // Runs the screen's start-up once; showing the screen does it too.
    Q_INVOKABLE void Load();

public slots:
    void Form_Load();
    void Form_Resize();
    void Form_Activate();
    void cmdAdelante_Click();
    void cmdAtras_Click();
    void cmdHoy_Click();
    void cmdMes_Click();
    void cmdSemana_Click();
    void txtSalaJunta_Change();
    void txtSalaJunta_Consulta();
    void msfDisponibilidad_EnterCell();
    void msfDisponibilidad_DblClick();
    void Controles_Cerrar();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    frmRS501();
    void connectEvents();

    // One navigation step: change, period, redraw, with its two identifiers.
    template <typename Change>
    void navigate(const QString& label, const QString& periodId, const QString& redrawId, Change change);
    QString roomKey() const;
    void lookUpRoom();
    void onRoomBox(const QString& label, const QString& id, bool confirmed);

    shell::ScreenParent parent_;
    QString horario_;
    QTime horaInicio_{9, 0};
    QTime horaFin_{18, 30};
    FailureTrail trail_{this};  // what UltimoError shows, and the reports through the host
    QDate fechaBase_;
    QDate inicio_;
    QDate fin_;
    QString tipo_ = QStringLiteral("ww");
    std::vector<QDate> fechas_;
    bool chfefin_ = false;
    bool loaded_ = false;
    int generation_ = 0;  // counts grid rebuilds, so a superseded painting stops
    SlotPlace place_;     // the person's slot, where the current cell returns after a redraw

    CalendarControls ui_;
    CalendarGeometry geometry_;
};

}  // namespace calendar
