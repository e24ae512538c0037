#include <QElapsedTimer>
#include <QPushButton>

#include "host/services/waitwindow.h"
#include "tests/src/editorfixture.h"
#include "tests/support/serverfault.h"

namespace {

using testsupport::frmReservacion;

struct PaintCount : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        n += e->type() == QEvent::Paint;
        return false;
    }
    int n = 0;
};

// The database keeps a save or a repaint waiting: past 1.5 s the wait
// window offers Cancelar while the calendar still paints and ignores
// clicks; Cancelar ends the wait at once, nothing is stored, one message
// says so and the next action works.
class ServerWaitTest : public testsupport::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        if (IsSkipped()) return;
        // A lock that also holds readers back needs the rollback journal.
        if (GetParam() == "sqlite") conn->Execute("PRAGMA journal_mode=DELETE");
        openOnRoom(false);
        holder = db->open();
        grid()->viewport()->installEventFilter(&paints);
    }

    QWidget* waitWindow() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<services::WaitWindow*>(w) && w->isVisible()) return w;
        return nullptr;
    }

    // Once the window is up: a repaint asked for and a click on Mes, then
    // Cancelar, each as a person's input.
    void cancelWhenAsked() {
        auto* poll = new QTimer(screen);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll] {
            QWidget* w = waitWindow();
            if (!w) return;
            if (askedAt < 0) {
                askedAt = clock.elapsed();
                paintsBefore = paints.n;
                grid()->viewport()->update();
                QWidget* mes = screen->findChild<QWidget*>("cmdMes");
                QTest::mouseClick(screen->windowHandle(), Qt::LeftButton, {}, mes->mapTo(screen, mes->rect().center()));
                return;
            }
            poll->deleteLater();
            answered = paints.n > paintsBefore && screen->Tipo() == "ww";
            cancelledAt = clock.elapsed();
            QObject::connect(w, &QObject::destroyed, [this] { endedAt = clock.elapsed(); });
            QTest::mouseClick(w->findChild<QPushButton*>("cmdCancelar"), Qt::LeftButton);
            release();  // the report that follows can be logged
        });
        poll->start(100);
        clock.start();
    }

    void release() {
        fault.reset();
        if (GetParam() == "postgresql" || holder->InTransaction()) holder->Execute("ROLLBACK");
    }

    std::unique_ptr<ado::Connection> holder;
    std::unique_ptr<testsupport::ServerFault> fault;
    PaintCount paints;
    QElapsedTimer clock;
    qint64 askedAt = -1, cancelledAt = -1, endedAt = -1;
    int paintsBefore = 0;
    bool answered = false;
};

TEST_P(ServerWaitTest, CancelStopsTheWaitStoresNothingAndTheNextActionWorks) {
    // Unattended (as the fixture's session is), a long wait shows no window
    // that nobody would answer: it goes on until the connection gives up.
    ado::WaitHook& hook = *ado::WaitHook::installed();
    EXPECT_TRUE(hook.waiting(2 * services::ServerWait::kWindowAfter));
    EXPECT_EQ(waitWindow(), nullptr);
    hook.waitEnded();
    session->serverWait().setOfferCancel(true);
    const bool pg = GetParam() == "postgresql";
    // Another desktop's lock in the way of the reads, or of the writes (of
    // COMMIT on SQLite); a frozen server.
    const auto lock = [&](const char* pgMode, const char* sqliteBegin) {
        return [this, pg, pgMode, sqliteBegin] {
            holder->Execute(pg ? "BEGIN" : sqliteBegin);
            holder->Execute(pg ? QString("LOCK TABLE Reservacion_Sala_Junta IN %1 MODE").arg(pgMode)
                               : QString("SELECT COUNT(*) FROM Sala_Junta"));
        };
    };
    const std::vector<std::pair<const char*, std::function<void()>>> holds{
        {"the save's checks", lock("ACCESS EXCLUSIVE", "BEGIN EXCLUSIVE")},
        {"the save's transaction", lock("SHARE", "BEGIN")},
        {"a repaint", [&] {
             if (!pg) return void(holder->Execute("BEGIN EXCLUSIVE"));
             fault = std::make_unique<testsupport::ServerFault>(session->connection(), db->connectionText());
             fault->strike(testsupport::ServerFault::Kind::Freeze);
         }},
    };
    for (const auto& [what, hold] : holds) {
        SCOPED_TRACE(what);
        const auto before = rows("SELECT * FROM Reservacion_Sala_Junta"), catalogue = rows("SELECT * FROM Tabla_General_Detalle");
        const std::size_t reported = reports().size();
        askedAt = cancelledAt = endedAt = -1;
        if (std::string(what) == "a repaint") {
            hold();
            cancelWhenAsked();
            clickButton("cmdAdelante");
        } else {
            throughEditor("14:00", monday, [&](frmReservacion* e) {
                typeInto(e, "txtResponsable", "Ana");
                typeInto(e, "txtProposito", "Plan");
                hold();
                cancelWhenAsked();
                click(e, "Aceptar");
                pressEsc(e);
            });
        }
        EXPECT_GE(askedAt, 1400);
        EXPECT_LT(endedAt - cancelledAt, 500) << "Cancelar did not stop the wait at once";
        EXPECT_TRUE(answered) << "the calendar did not paint, or took a click, behind the window";
        EXPECT_EQ(waitWindow(), nullptr);
        EXPECT_EQ(rows("SELECT * FROM Reservacion_Sala_Junta"), before);
        EXPECT_EQ(rows("SELECT * FROM Tabla_General_Detalle"), catalogue);
        const auto now = reports();
        ASSERT_EQ(now.size(), reported + 1);
        EXPECT_TRUE(now.back().second.contains("no se guardó nada", Qt::CaseInsensitive)) << now.back().second.toStdString();
        EXPECT_TRUE(screen->CargarCalendario()) << screen->UltimoError().toStdString();
    }
}

RS_INSTANTIATE_BACKENDS(ServerWaitTest);

}  // namespace
