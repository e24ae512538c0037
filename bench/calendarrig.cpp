#include "bench/calendarrig.h"

#include <QTest>

#include "bench/benchdatabase.h"
#include "bench/countingconnection.h"
#include "bench/gridcheck.h"
#include "host/app/signon.h"
#include "platform/core/error.h"
#include "host/schema/demodata.h"
#include "host/schema/schema.h"
#include "host/services/hostsession.h"
#include "platform/flexgrid/flexgrid.h"
#include "src/calendar/frmrs501.h"
#include "src/shell/publico.h"

namespace bench {

CalendarRig::CalendarRig(const QString& connectionText) {
    auto counting = std::make_unique<CountingConnection>(ado::open(connectionText));
    counting_ = counting.get();
    // As the host starts: the schema only read, the user signed on.
    if (schema::Schema::inspect(*counting_) != schema::Schema::State::Current)
        throw core::Error(QStringLiteral("the database's schema is not current"));
    const QString user = app::SignOn::signer(*counting_, true, schema::DemoData::kUser);
    session_ = std::make_unique<services::HostSession>(std::move(counting), user, true);
    services::HostSession::install(session_.get());
    shell::Publico::iniciar();
    if (!start() && error_.isEmpty()) error_ = QStringLiteral("the calendar never finished painting");
}

CalendarRig::~CalendarRig() {
    delete screen_;
    services::HostSession::install(nullptr);
}

// The room typed before the screen loads is looked up and painted by the
// load itself, as when the host opens the calendar on a room.
bool CalendarRig::start() {
    screen_ = calendar::frmRS501::instance();
    grid_ = screen_->findChild<flexgrid::FlexGrid*>(QStringLiteral("msfDisponibilidad"));
    QObject* box = screen_->findChild<QObject*>(QStringLiteral("txtSalaJunta"));
    if (!grid_ || !box) {
        error_ = QStringLiteral("the calendar has no grid or room box by the expected names");
        return false;
    }
    box->setProperty("Text", BenchDatabase::kRoom);
    screen_->show();
    if (!QTest::qWaitForWindowExposed(screen_)) {
        error_ = QStringLiteral("the calendar was never shown");
        return false;
    }
    return waitUntilPainted(*grid_);
}

bool CalendarRig::showView(const QString& tipo) {
    const char* button = tipo == QLatin1String("m") ? "cmdMes_Click" : "cmdSemana_Click";
    QMetaObject::invokeMethod(screen_, button);
    if (screen_->Tipo() != tipo) {
        error_ = QStringLiteral("the calendar did not switch to view %1").arg(tipo);
        return false;
    }
    return waitUntilPainted(*grid_) || (error_ = QStringLiteral("the %1 view never finished painting").arg(tipo), false);
}

bool CalendarRig::repaint() {
    if (!screen_->CargarCalendario()) {
        error_ = screen_->UltimoError();
        return false;
    }
    return waitUntilPainted(*grid_) || (error_ = QStringLiteral("the repaint never finished"), false);
}

CalendarFloor::Period CalendarRig::period() const {
    return {BenchDatabase::kRoom, screen_->Inicio(), screen_->Fin(), screen_->HoraInicio(), screen_->HoraFin()};
}

}  // namespace bench
