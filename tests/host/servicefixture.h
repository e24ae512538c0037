#pragma once

#include "host/schema/schema.h"
#include "host/services/funciones.h"
#include "host/services/hostsession.h"
#include "host/services/sistema.h"
#include "tests/support/testdatabase.h"

namespace testsupport {

// A host session on a fresh database with the tables created, signed on as
// the given user, with the service objects the module would create.
class ServiceTest : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) return;
        schema::Schema::ensure(*conn);
        session = std::make_unique<services::HostSession>(db->open(), QStringLiteral("ANA"), true);
        services::HostSession::install(session.get());
        sistema = std::make_unique<services::Sistema>();
        funciones = std::make_unique<services::Funciones>();
    }
    void TearDown() override {
        funciones.reset();
        sistema.reset();
        session.reset();
        BackendTest::TearDown();
    }

    std::unique_ptr<services::HostSession> session;
    std::unique_ptr<services::Sistema> sistema;
    std::unique_ptr<services::Funciones> funciones;
};

}  // namespace testsupport
