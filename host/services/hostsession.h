#pragma once

#include <memory>
#include <optional>
#include <set>

#include <QString>

#include "host/services/serverwait.h"
#include "platform/ado/connection.h"

namespace services {

// What the host's service objects share for the life of the process: the
// open connection, the signed-on user and how errors are reported. The host
// installs one before the module creates its service objects.
class HostSession {
public:
    HostSession(std::unique_ptr<ado::Connection> connection, QString user, bool unattended);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // The installed session; throws core::Error when the host installed none.
    static HostSession& current();
    static void install(HostSession* session);

    ado::Connection& connection() { return *connection_; }
    const QString& user() const { return user_; }
    bool unattended() const { return unattended_; }
    // Shows and stops the waits on this session's database (installed for
    // the session's life).
    ServerWait& serverWait() { return serverWait_; }
    bool forceUpperCase() const { return forceUpperCase_; }
    void setForceUpperCase(bool on) { forceUpperCase_ = on; }
    const QString& lastError() const { return lastError_; }
    // The weekdays never worked (1 Monday .. 7 Sunday), read once per session.
    const std::optional<std::set<int>>& restDays() const { return restDays_; }
    void setRestDays(std::set<int> days) { restDays_ = std::move(days); }
    void setLastError(const QString& text) { lastError_ = text; }
    static inline const QString kParameterQuery =
        QStringLiteral("SELECT Pa_Valor FROM Parametro WHERE Pa_Cve_Parametro = ?");
    // A site parameter's stored value; defaultValue when it is not stored.
    QString parameter(const QString& key, const QString& defaultValue);
    static QString parameter(ado::Connection& connection, const QString& key, const QString& defaultValue);

    // Unattended when asked by option or by RS501_UNATTENDED=1.
    static bool resolveUnattended(bool option);

private:
    std::unique_ptr<ado::Connection> connection_;
    QString user_;
    bool unattended_;
    ServerWait serverWait_;
    bool forceUpperCase_ = false;
    QString lastError_;
    std::optional<std::set<int>> restDays_;
};

}  // namespace services
