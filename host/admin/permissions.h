#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "host/admin/context.h"

namespace admin {

// The module's permissions a user holds (Permiso_Usuario), granted and
// revoked by their key.
class Permissions {
public:
    // The module the permissions belong to, as the screens ask for them.
    static inline const QString kModule = QStringLiteral("RS501");

    explicit Permissions(Context& context) : c_(context) {}

    // user: a code already checked for its form.
    void grant(const QString& user, const QString& permission);
    void revoke(const QString& user, const QString& permission);
    // Each user's permissions of the module, sorted.
    QMap<QString, QStringList> granted();

private:
    // The permission's key as stored and its description; throws
    // InputError for one the module does not know.
    static std::pair<QString, QString> known(const QString& typed);

    void requireUser(const QString& user, bool active);

    Context& c_;
};

}  // namespace admin
