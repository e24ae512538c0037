#include "host/app/signon.h"

#include "host/app/hoststartup.h"
#include "host/schema/roles.h"
#include "platform/core/error.h"

namespace app {

QString SignOn::signer(ado::Connection& connection, bool userGiven, const QString& user) {
    const QString fromEnvironment = qEnvironmentVariable("RS501_USER").trimmed();
    const bool named = userGiven || !fromEnvironment.isEmpty();
    const QString login = schema::Roles::login(connection).toUpper();
    QString code = !named ? login : userGiven ? user.trimmed() : fromEnvironment;
    if (code.compare(login, Qt::CaseInsensitive) == 0) code = login;
    if (code != login && schema::Roles::apply(connection) && !schema::Roles::privileged(connection))
        throw core::Error(QStringLiteral("La cuenta %1 de la base de datos firma como el usuario %2; solo un miembro de "
                                         "rs501_admin puede firmar como otro usuario (%3).")
                              .arg(schema::Roles::login(connection), login, code));
    try {
        checkUser(connection, code, true);
    } catch (const core::Error& e) {
        if (named || !e.statement().isEmpty()) throw;
        throw core::Error(e.description() + QStringLiteral(" Sin --user firma la cuenta %1; el administrador la da de "
                                                           "alta con: rs501 admin users add %1")
                                                .arg(login));
    }
    return code;
}

}  // namespace app
