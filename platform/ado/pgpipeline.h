#pragma once

#include <QString>

struct pg_conn;

namespace ado {

// libpq's pipeline mode for as long as one batch is sent and read.
class PgPipeline {
public:
    PgPipeline(pg_conn*& connection, const QString& sql);
    ~PgPipeline();
    PgPipeline(const PgPipeline&) = delete;
    PgPipeline& operator=(const PgPipeline&) = delete;

private:
    pg_conn*& connection_;  // gone if the server stopped answering
};

}  // namespace ado
