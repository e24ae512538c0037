// A second desktop for the tests of two desktops at once: a process of its
// own with its own session and connection, driving the real reservation
// editor by commands read from stdin, one answer line per command:
//   open FOLIO                    the editor on a stored reservation: "ready"
//   modify PURPOSE                Modificar, a new purpose, Aceptar
//   cancel                        Eliminar
//   new DATE HH:MM HH:MM ROOM     a new reservation, as a free slot opens it
// Each action answers "ok" or "refused " and the report, and leaves the editor.
#include <iostream>
#include <string>

#include <QAction>
#include <QApplication>

#include "host/controls/controllibrary.h"
#include "host/services/hostsession.h"
#include "host/services/servicelibrary.h"
#include "platform/component/runtime.h"
#include "platform/core/error.h"
#include "src/reservation/frmreservacion.h"
#include "src/shell/publico.h"

namespace {

using reservation::frmReservacion;

frmReservacion* editor() {
    frmReservacion* e = frmReservacion::instance();
    e->Load();
    e->setiHoraI({9, 0});
    e->setiHoraF({18, 30});
    return e;
}

void set(frmReservacion* e, const char* control, const QVariant& value) {
    e->findChild<QObject*>(QString::fromLatin1(control))
        ->setProperty(value.typeId() == QMetaType::QString ? "Text" : "Value", value);
}

void trigger(frmReservacion* e, const char* action) {
    e->findChild<QAction*>(QStringLiteral("act") + QString::fromLatin1(action))->trigger();
}

QString outcome(frmReservacion* e, services::HostSession& session) {
    const QString answer = e->OK() ? QStringLiteral("ok") : QStringLiteral("refused ") + session.lastError();
    frmReservacion::Unload();
    return answer;
}

QString run(const QStringList& words, services::HostSession& session) {
    const QString command = words.value(0);
    if (command == QLatin1String("open")) {
        frmReservacion* e = editor();
        if (!e->Cargar(words.value(1))) return QStringLiteral("error ") + e->Error();
        e->show();
        return QStringLiteral("ready");
    }
    if (!frmReservacion::exists() && command != QLatin1String("new")) return QStringLiteral("error no editor");
    if (command == QLatin1String("modify")) {
        frmReservacion* e = frmReservacion::instance();
        trigger(e, "Modificar");
        set(e, "txtProposito", words.mid(1).join(QLatin1Char(' ')));
        trigger(e, "Aceptar");
        return outcome(e, session);
    }
    if (command == QLatin1String("cancel")) {
        trigger(frmReservacion::instance(), "Eliminar");
        return outcome(frmReservacion::instance(), session);
    }
    if (command == QLatin1String("new") && words.size() == 5) {
        frmReservacion* e = editor();
        const QDate day = QDate::fromString(words[1], Qt::ISODate);
        for (const char* picker : {"dpFechaI", "dpFechaF"}) set(e, picker, QDateTime(day, {0, 0}));
        set(e, "dpHoraInicio", QDateTime(day, QTime::fromString(words[2], QStringLiteral("HH:mm"))));
        set(e, "dpHoraFin", QDateTime(day, QTime::fromString(words[3], QStringLiteral("HH:mm"))));
        set(e, "txtSala_Junta", words[4]);
        e->Ejecuta_Nuevo();
        e->txtSala_Junta_Consulta();
        set(e, "txtResponsable", session.user());
        set(e, "txtProposito", QStringLiteral("Junta"));
        e->show();
        trigger(e, "Aceptar");
        return outcome(e, session);
    }
    return QStringLiteral("error unknown command");
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: rs_desktop CONNECTION USER\n";
        return 64;
    }
    try {
        services::ServiceLibrary::registerAll(component::Runtime::instance());
        controls::ControlLibrary::registerAll(component::Runtime::instance());
        services::HostSession session(ado::open(QString::fromLocal8Bit(argv[1])), QString::fromLocal8Bit(argv[2]), true);
        services::HostSession::install(&session);
        shell::Publico::iniciar();
        for (std::string line; std::getline(std::cin, line);) {
            const QStringList words = QString::fromStdString(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QString answer;
            try {
                answer = run(words, session);
            } catch (const std::exception& e) {
                answer = QStringLiteral("error ") + core::describe(e);
            }
            std::cout << answer.replace(QLatin1String("\r\n"), QLatin1String(" ")).toStdString() << std::endl;
        }
    } catch (const std::exception& e) {
        std::cerr << "rs_desktop: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
