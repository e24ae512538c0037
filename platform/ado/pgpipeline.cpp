#include "platform/ado/pgpipeline.h"

#include <libpq-fe.h>

#include "platform/core/error.h"

namespace ado {

PgPipeline::PgPipeline(pg_conn*& connection, const QString& sql) : connection_(connection) {
    if (PQenterPipelineMode(connection_) != 1)
        throw core::Error(QString::fromUtf8(PQerrorMessage(connection_)).trimmed(), sql);
}

PgPipeline::~PgPipeline() {
    if (connection_) PQexitPipelineMode(connection_);
}

}  // namespace ado
