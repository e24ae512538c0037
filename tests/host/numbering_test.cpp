#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "platform/ado/transaction.h"
#include "tests/host/servicefixture.h"

namespace {

using testsupport::ServiceTest;

class NumberingTest : public ServiceTest {
protected:
    void addReservation(const QString& folio) {
        conn->Execute("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta) "
                      "VALUES (?, '2026-12-07', '09:00', '10:00', '1')",
                      {folio});
    }
    qint64 nextFolio(services::Funciones& f) { return f.ObtenerConsecutivo("Reservacion_Sala_Junta", "Rsj_Folio"); }
};

TEST_P(NumberingTest, StartsAfterTheHighestNumberInUseAndCountsUp) {
    EXPECT_EQ(nextFolio(*funciones), 1);
    EXPECT_EQ(nextFolio(*funciones), 2);
    // A second column starts from what its table already holds.
    conn->Execute("INSERT INTO Cliente (Cl_Cve_Cliente, Cl_Razon_Social) VALUES ('0041', 'a'), ('0007', 'b'), ('ABC', 'c')");
    EXPECT_EQ(funciones->ObtenerConsecutivo("Cliente", "Cl_Cve_Cliente"), 42);
}

TEST_P(NumberingTest, DetailNumbersCountPerCatalogue) {
    conn->Execute("INSERT INTO Tabla_General_Detalle (Tg_Cve_Tabla_General, Tgd_Id) VALUES "
                  "('SALA_JUNTA_RESPONSABLE', '0009'), ('OTRA', '0500')");
    const auto next = [&](const QString& catalogue) {
        return funciones->ObtenerConsecutivoDetalle("Tabla_General_Detalle", "Tgd_ID", "Tg_Cve_Tabla_General", catalogue, "", "");
    };
    EXPECT_EQ(next("SALA_JUNTA_RESPONSABLE"), "10");
    EXPECT_EQ(next("SALA_JUNTA_RESPONSABLE"), "11");
    EXPECT_EQ(next("VACIA"), "1");
    EXPECT_EQ(next("OTRA"), "501");
}

TEST_P(NumberingTest, NumberTakenInARolledBackSaveIsHandedOutAgain) {
    ado::Connection& shared = sistema->Conexion();
    {
        ado::Transaction tx(shared);
        EXPECT_EQ(nextFolio(*funciones), 1);
    }
    EXPECT_EQ(nextFolio(*funciones), 1);
}

TEST_P(NumberingTest, TwoDesktopsSavingAtOnceNeverShareANumber) {
    nextFolio(*funciones);  // the counter exists; both desktops now race on it
    constexpr int kPerDesktop = 40;
    std::vector<qint64> numbers[2];
    std::string failures[2];
    auto desktop = [&](int which) {
        try {
            services::HostSession own(db->open(), QStringLiteral("D%1").arg(which), true);
            services::Funciones f(own);
            for (int i = 0; i < kPerDesktop; ++i) {
                // Each save draws its number inside its own transaction.
                ado::Transaction tx(own.connection());
                const qint64 n = nextFolio(f);
                own.connection().Execute(
                    "INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta) "
                    "VALUES (?, '2026-12-07', '09:00', '10:00', '1')",
                    {QStringLiteral("%1").arg(n, 10, 10, QLatin1Char('0'))});
                tx.commit();
                numbers[which].push_back(n);
            }
        } catch (const std::exception& e) {
            failures[which] = e.what();
        }
    };
    std::thread a(desktop, 0), b(desktop, 1);
    a.join();
    b.join();
    EXPECT_EQ(failures[0], "");
    EXPECT_EQ(failures[1], "");
    std::set<qint64> all(numbers[0].begin(), numbers[0].end());
    all.insert(numbers[1].begin(), numbers[1].end());
    EXPECT_EQ(all.size(), 2u * kPerDesktop);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Reservacion_Sala_Junta"), 2 * kPerDesktop);
}

TEST_P(NumberingTest, FirstUseRacingOnAnEmptyCounterStillGivesDistinctNumbers) {
    addReservation("0000000010");
    qint64 got[2] = {0, 0};
    auto desktop = [&](int which) {
        services::HostSession own(db->open(), "X", true);
        got[which] = services::Funciones(own).ObtenerConsecutivo("Reservacion_Sala_Junta", "Rsj_Folio");
    };
    std::thread a(desktop, 0), b(desktop, 1);
    a.join();
    b.join();
    EXPECT_EQ(std::min(got[0], got[1]), 11);
    EXPECT_EQ(std::max(got[0], got[1]), 12);
}

RS_INSTANTIATE_BACKENDS(NumberingTest);

}  // namespace
