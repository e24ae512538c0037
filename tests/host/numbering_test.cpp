#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <thread>

#include "host/services/numbering.h"
#include "platform/ado/transaction.h"
#include "tests/host/servicefixture.h"

namespace {

using testsupport::ServiceTest;

const QString kInsertReservation =
    "INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta) "
    "VALUES (?, '2026-12-07', '09:00', '10:00', '1')";

// Each desktop works on a thread of its own; what one throws is kept as its
// failure, so that the test fails instead of the whole run aborting.
std::vector<std::string> onDesktops(int count, const std::function<void(int)>& work) {
    std::vector<std::string> failures(count);
    std::vector<std::thread> desktops;
    for (int i = 0; i < count; ++i) {
        desktops.emplace_back([&failures, &work, i] {
            try {
                work(i);
            } catch (const std::exception& e) {
                failures[i] = e.what();
            }
        });
    }
    for (std::thread& d : desktops) d.join();
    return failures;
}

class NumberingTest : public ServiceTest {
protected:
    static qint64 nextFolio(services::Funciones& f) { return f.ObtenerConsecutivo("Reservacion_Sala_Junta", "Rsj_Folio"); }
};

// A number taken in a rolled-back save is handed out again.
TEST_P(NumberingTest, CountsUpFromTheHighestNumberInUsePerColumnAndPerCatalogue) {
    {
        ado::Transaction rolledBack(sistema->Conexion());
        EXPECT_EQ(nextFolio(*funciones), 1);
    }
    EXPECT_EQ(nextFolio(*funciones), 1);
    EXPECT_EQ(nextFolio(*funciones), 2);
    conn->Execute("INSERT INTO Cliente (Cl_Cve_Cliente, Cl_Razon_Social) VALUES ('0041', 'a'), ('0007', 'b'), ('ABC', 'c')");
    EXPECT_EQ(funciones->ObtenerConsecutivo("Cliente", "Cl_Cve_Cliente"), 42);
    conn->Execute("INSERT INTO Tabla_General_Detalle (Tg_Cve_Tabla_General, Tgd_Id) VALUES "
                  "('SALA_JUNTA_RESPONSABLE', '0009'), ('OTRA', '0500')");
    const std::pair<const char*, const char*> details[] = {
        {"SALA_JUNTA_RESPONSABLE", "10"}, {"SALA_JUNTA_RESPONSABLE", "11"}, {"VACIA", "1"}, {"OTRA", "501"}};
    for (const auto& [catalogue, expected] : details)
        EXPECT_EQ(funciones->ObtenerConsecutivoDetalle("Tabla_General_Detalle", "Tgd_ID", "Tg_Cve_Tabla_General",
                                                       catalogue, "", ""),
                  expected)
            << catalogue;
}

// A counter another desktop creates between this one's look for it and its
// insert is raised, not created twice. Here the seed query itself creates
// it, as that desktop would, having handed out 11.
TEST_P(NumberingTest, CounterCreatedMeanwhileIsRaisedNotCreatedAgain) {
    const QString counter = "prueba.folio";
    const qint64 n = services::Numbering(*conn).next(
        counter, "INSERT INTO Consecutivo (Co_Nombre, Co_Valor) VALUES (?, 11) RETURNING 10 AS n", {counter});
    EXPECT_EQ(n, 12);
    EXPECT_EQ(scalar("SELECT Co_Valor FROM Consecutivo WHERE Co_Nombre = ?", {counter}), 12);
}

// Each save first reads, as the overlap check does, then draws its number:
// a save must hold the write lock from its start, or the second desktop's
// number is refused (SQLite) or handed out twice.
TEST_P(NumberingTest, TwoDesktopsSavingAtOnceNeverShareAFolioOrACatalogueNumber) {
    nextFolio(*funciones);  // the counter exists; both desktops now race on it
    constexpr int kPerDesktop = 40;
    std::set<qint64> folios[2];
    std::set<QString> entries[2];  // the responsible persons' catalogue
    const auto failures = onDesktops(2, [&](int which) {
        services::HostSession own(db->open(), QStringLiteral("D%1").arg(which), true);
        services::Funciones f(own);
        for (int i = 0; i < kPerDesktop; ++i) {
            ado::Transaction tx(own.connection());
            own.connection().Execute("SELECT COUNT(*) FROM Reservacion_Sala_Junta WHERE Sj_Cve_Sala_Junta = '1'");
            const qint64 n = nextFolio(f);
            own.connection().Execute(kInsertReservation, {QStringLiteral("%1").arg(n, 10, 10, QLatin1Char('0'))});
            const QString entry = f.ObtenerConsecutivoDetalle("Tabla_General_Detalle", "Tgd_ID", "Tg_Cve_Tabla_General",
                                                              "SALA_JUNTA_RESPONSABLE", "", "");
            own.connection().Execute("INSERT INTO Tabla_General_Detalle (Tg_Cve_Tabla_General, Tgd_Id, Tgd_Valor) "
                                     "VALUES ('SALA_JUNTA_RESPONSABLE', ?, ?)",
                                     {entry, QStringLiteral("D%1-%2").arg(which).arg(i)});
            tx.commit();
            folios[which].insert(n);
            entries[which].insert(entry);
        }
    });
    EXPECT_EQ(failures, std::vector<std::string>(2));
    folios[0].merge(folios[1]);
    entries[0].merge(entries[1]);
    EXPECT_EQ(folios[0].size(), 2u * kPerDesktop) << "a folio was handed out twice";
    EXPECT_EQ(entries[0].size(), 2u * kPerDesktop) << "a catalogue number was handed out twice";
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Reservacion_Sala_Junta"), 2 * kPerDesktop);
}

RS_INSTANTIATE_BACKENDS(NumberingTest);

}  // namespace
