#include "host/app/hoststartup.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "host/schema/demodata.h"
#include "host/schema/schema.h"
#include "platform/core/error.h"

namespace app {

std::unique_ptr<ado::Connection> openHostDatabase(const HostOptions& options) {
    const QString text = options.connectionText();
    const bool isDefault = text == HostOptions::defaultDatabasePath();
    bool created = false;
    if (isDefault) {
        const QFileInfo file(text);
        created = !file.exists();
        if (!QDir().mkpath(file.absolutePath()))
            throw core::Error(QStringLiteral("No se pudo crear la carpeta %1.").arg(file.absolutePath()));
    }
    std::unique_ptr<ado::Connection> connection = ado::open(text);
    schema::Schema::ensure(*connection, options.createSchema);
    if (created || options.demo) schema::DemoData::load(*connection, QDate::currentDate());
    return connection;
}

}  // namespace app
