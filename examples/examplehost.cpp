// A host application in one file: opens a database, hands the RS501 module
// the host's services and controls through the component runtime, and shows
// its calendar. examplehost [DATABASE [SCREENSHOT.png]]
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include "host/controls/controllibrary.h"
#include "host/schema/schema.h"
#include "host/services/hostsession.h"
#include "host/services/servicelibrary.h"
#include "host/services/sistema.h"
#include "platform/component/runtime.h"
#include "platform/core/fonts.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    core::installFontSubstitutes();  // the designed fonts' free stand-ins
    const QString database = argc > 1 ? argv[1] : "examplehost.sqlite";
    const QString user = QStringLiteral("HOST");

    auto connection = ado::open(database);
    schema::Schema::ensure(*connection, false, user);  // a new file: tables and its first user
    services::HostSession session(std::move(connection), user, true);
    services::HostSession::install(&session);
    services::Sistema controlHost(session);

    component::Runtime& runtime = component::Runtime::instance();
    services::ServiceLibrary::registerAll(runtime, session);
    controls::ControlLibrary::registerAll(runtime, controlHost);
    runtime.loadLibrary(QStringLiteral(RS501_MODULE));
    std::unique_ptr<QObject> pantalla(runtime.createObject(QStringLiteral("RS501.Pantalla")));

    QMainWindow window;
    window.setProperty("Transaccion", QStringLiteral("RS501"));  // read by the screens by name
    auto* screen = qobject_cast<QWidget*>(pantalla->property("GetPantalla").value<QObject*>());
    if (!screen) return 3;
    screen->setProperty("Padre", QVariant::fromValue<QObject*>(&window));
    const QSize designed = screen->size();
    window.setCentralWidget(screen);
    window.resize(designed);
    window.show();
    if (argc > 2)
        QTimer::singleShot(0, &window, [&] { QApplication::exit(window.grab().save(argv[2], "PNG") ? 0 : 1); });
    return QApplication::exec();
}
