#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include "platform/ado/connection.h"

class QWidget;

namespace shell {

// The host's second service object: look-ups, numbering, dates, logs.
// Trailing texts that the module always passes empty keep their places.
class IFunciones {
public:
    virtual ~IFunciones() = default;

    virtual QString BuscarDescripcion(const QString& table, const QString& keyColumn, const QString& key,
                                      const QString& resultColumn, int reserved, const QString& secondKeyColumn,
                                      const QString& secondKey, const QString& excludedState) = 0;
    // The read BuscarDescripcion makes with the same arguments.
    virtual ado::Statement ConsultaDescripcion(const QString& table, const QString& keyColumn, const QString& key,
                                               const QString& resultColumn, const QString& secondKeyColumn,
                                               const QString& secondKey, const QString& excludedState) = 0;
    virtual QDateTime FechaServidor() = 0;
    virtual qint64 ObtenerConsecutivo(const QString& table, const QString& keyColumn, const QString& e1 = {},
                                      const QString& e2 = {}, const QString& e3 = {}, const QString& e4 = {},
                                      const QString& e5 = {}, const QString& e6 = {}, const QString& e7 = {}) = 0;
    virtual QString ObtenerConsecutivoDetalle(const QString& table, const QString& idColumn,
                                              const QString& filterColumn, const QString& filterValue,
                                              const QString& e1 = {}, const QString& e2 = {}) = 0;
    virtual bool ConfirmarRegistro(const QString& table, const QString& keyColumn, const QString& key) = 0;
    virtual QString ObtenerMensajeError() = 0;
    virtual void RegistrarMovimiento(const QString& entity, const QString& key, const QString& operation) = 0;
    virtual QString FormatoFechaSQL(const QDate& date) = 0;
    virtual QString FormatoFechaHoraSQL(const QDateTime& dateTime) = 0;
    virtual bool EsDiaInhabil(const QDate& date) = 0;
    // The days from desde to hasta (both included) for which EsDiaInhabil
    // holds, in one look-up, in date order.
    virtual QList<QDate> DiasInhabiles(const QDate& desde, const QDate& hasta) = 0;
    // The first of cantidad consecutive numbers of the key column, taken with
    // one raise of its counter.
    virtual qint64 ObtenerConsecutivos(const QString& table, const QString& keyColumn, int cantidad) = 0;
    // For a caller that sends statements together: the statement an
    // operation runs, and the operation's result read from its answer.
    virtual ado::Statement ConsultaFechaServidor() = 0;
    virtual QDateTime LeerFechaServidor(const ado::Recordset& answer) = 0;
    virtual ado::Statement ConsultaDiasInhabiles(const QDate& desde, const QDate& hasta) = 0;
    virtual QList<QDate> LeerDiasInhabiles(const QDate& desde, const QDate& hasta, const ado::Recordset& answer) = 0;
    virtual ado::Statement SentenciaMovimiento(const QString& entity, const QString& key, const QString& operation) = 0;
    virtual QString ObtenerTransaccion(const QString& transaction, const QString& system) = 0;
    // Empty / enable every control of the screen whose Tag equals group.
    virtual void LimpiarControles(QWidget* screen, const QString& group) = 0;
    virtual void HabilitarControles(QWidget* screen, const QString& group) = 0;
};

}  // namespace shell

#define RS_IFUNCIONES_IID "rs501.shell.IFunciones/1"
Q_DECLARE_INTERFACE(shell::IFunciones, RS_IFUNCIONES_IID)
