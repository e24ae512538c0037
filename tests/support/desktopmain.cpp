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
#include "tests/support/editorsteps.h"

namespace {

using reservation::frmReservacion;

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
        frmReservacion* e = testsupport::loadedEditor();
        if (!e->Cargar(words.value(1))) return QStringLiteral("error ") + e->Error();
        e->show();
        return QStringLiteral("ready");
    }
    if (!frmReservacion::exists() && command != QLatin1String("new")) return QStringLiteral("error no editor");
    if (command == QLatin1String("modify")) {
        frmReservacion* e = frmReservacion::instance();
        trigger(e, "Modificar");
        testsupport::set(e, "txtProposito", words.mid(1).join(QLatin1Char(' ')));
        trigger(e, "Aceptar");
        return outcome(e, session);
    }
    if (command == QLatin1String("cancel")) {
        trigger(frmReservacion::instance(), "Eliminar");
        return outcome(frmReservacion::instance(), session);
    }
    if (command == QLatin1String("new") && words.size() == 5) {
        const QDate day = QDate::fromString(words[1], Qt::ISODate);
        frmReservacion* e = testsupport::newReservation(nullptr, day, day, words[2], words[3], words[4], session.user(),
                                                        QStringLiteral("Junta"));
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
