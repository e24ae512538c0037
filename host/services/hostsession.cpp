#include "host/services/hostsession.h"

#include "platform/core/error.h"

namespace services {

namespace {
HostSession* installed = nullptr;
}

HostSession::HostSession(std::unique_ptr<ado::Connection> connection, QString user, bool unattended)
    : connection_(std::move(connection)), user_(std::move(user)), unattended_(unattended), serverWait_(!unattended) {
    ado::WaitHook::install(&serverWait_);
}

HostSession::~HostSession() {
    if (installed == this) installed = nullptr;
    if (ado::WaitHook::installed() == &serverWait_) ado::WaitHook::install(nullptr);
}

HostSession& HostSession::current() {
    if (!installed) throw core::Error(QStringLiteral("El anfitrión no ha abierto una sesión con la base de datos."));
    return *installed;
}

void HostSession::install(HostSession* session) {
    installed = session;
}

QString HostSession::parameter(const QString& key, const QString& defaultValue) {
    return parameter(connection(), key, defaultValue);
}

QString HostSession::parameter(ado::Connection& connection, const QString& key, const QString& defaultValue) {
    ado::Recordset rs = connection.Execute(kParameterQuery, {key});
    return rs.Eof() ? defaultValue : rs.Fields(0).Value.toString();
}

bool HostSession::resolveUnattended(bool option) {
    return option || qEnvironmentVariable("RS501_UNATTENDED") == QLatin1String("1");
}

}  // namespace services
