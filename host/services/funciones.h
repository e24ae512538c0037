#pragma once

#include <set>

#include <QObject>

#include "host/services/sessionref.h"
#include "src/shell/ifunciones.h"

namespace services {

class Funciones : public QObject, public shell::IFunciones {
    Q_OBJECT
    Q_INTERFACES(shell::IFunciones)
public:
    // On the installed session; throws core::Error now when there is none.
    Funciones();
    explicit Funciones(SessionRef session);

    Q_INVOKABLE QString BuscarDescripcion(const QString& table, const QString& keyColumn, const QString& key,
                                          const QString& resultColumn, int reserved, const QString& secondKeyColumn,
                                          const QString& secondKey, const QString& excludedState) override;
    ado::Statement ConsultaDescripcion(const QString& table, const QString& keyColumn, const QString& key,
                                       const QString& resultColumn, const QString& secondKeyColumn,
                                       const QString& secondKey, const QString& excludedState) override;
    Q_INVOKABLE QDateTime FechaServidor() override;
    Q_INVOKABLE qint64 ObtenerConsecutivo(const QString& table, const QString& keyColumn, const QString& e1 = {},
                                          const QString& e2 = {}, const QString& e3 = {}, const QString& e4 = {},
                                          const QString& e5 = {}, const QString& e6 = {},
                                          const QString& e7 = {}) override;
    Q_INVOKABLE QString ObtenerConsecutivoDetalle(const QString& table, const QString& idColumn,
                                                  const QString& filterColumn, const QString& filterValue,
                                                  const QString& e1 = {}, const QString& e2 = {}) override;
    Q_INVOKABLE bool ConfirmarRegistro(const QString& table, const QString& keyColumn, const QString& key) override;
    Q_INVOKABLE QString ObtenerMensajeError() override;
    Q_INVOKABLE void RegistrarMovimiento(const QString& entity, const QString& key,
                                         const QString& operation) override;
    Q_INVOKABLE QString FormatoFechaSQL(const QDate& date) override;
    Q_INVOKABLE QString FormatoFechaHoraSQL(const QDateTime& dateTime) override;
    Q_INVOKABLE bool EsDiaInhabil(const QDate& date) override;
    Q_INVOKABLE QList<QDate> DiasInhabiles(const QDate& desde, const QDate& hasta) override;
    Q_INVOKABLE qint64 ObtenerConsecutivos(const QString& table, const QString& keyColumn, int cantidad) override;
    ado::Statement ConsultaFechaServidor() override;
    QDateTime LeerFechaServidor(const ado::Recordset& answer) override;
    ado::Statement ConsultaDiasInhabiles(const QDate& desde, const QDate& hasta) override;
    QList<QDate> LeerDiasInhabiles(const QDate& desde, const QDate& hasta, const ado::Recordset& answer) override;
    ado::Statement SentenciaMovimiento(const QString& entity, const QString& key, const QString& operation) override;
    Q_INVOKABLE QString ObtenerTransaccion(const QString& transaction, const QString& system) override;
    Q_INVOKABLE void LimpiarControles(QWidget* screen, const QString& group) override;
    Q_INVOKABLE void HabilitarControles(QWidget* screen, const QString& group) override;

    // Parameter listing the weekdays that are never worked, 1 = Monday ... 7 = Sunday.
    static inline const QString kRestDaysParameter = QStringLiteral("DIAS_INHABILES_SEMANA");
    static inline const QString kRestDaysDefault = QStringLiteral("6,7");
    // The weekdays a value of that parameter lists; throws core::Error,
    // naming the parameter, for anything but days 1 to 7 between commas.
    static std::set<int> parseRestDays(const QString& listed);

private:
    HostSession& session() const { return session_.get(); }
    ado::Connection& connection() { return session().connection(); }
    std::set<int> restDays();
    // Runs a service operation; a failure is kept for ObtenerMensajeError
    // and passed on to the caller.
    template <typename F>
    auto guarded(F&& operation) -> decltype(operation());

    SessionRef session_;
};

}  // namespace services
