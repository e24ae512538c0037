#include <QApplication>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

#include "host/admin/admincommand.h"
#include "host/app/editordriver.h"
#include "host/app/hostoptions.h"
#include "host/app/hoststartup.h"
#include "host/app/mainwindow.h"
#include "host/app/modulehost.h"
#include "host/app/signon.h"
#include "host/services/hostsession.h"
#include "host/services/sistema.h"
#include "platform/ado/connectiontext.h"
#include "platform/core/error.h"
#include "platform/core/fonts.h"

namespace {

constexpr int kBadArguments = 64;
constexpr int kNoDatabase = 2;
constexpr int kNoModule = 3;

int fail(const QString& message, bool unattended, int code) {
    QTextStream(stderr) << "rs501: " << message << Qt::endl;
    if (!unattended) {
        // The message may hold a database error text: show it as written.
        QMessageBox box(QMessageBox::Critical, QStringLiteral("RS501"), message, QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
    return code;
}

// Types a room key into the calendar's room box and confirms it, by name,
// as a person would.
void typeRoom(QWidget* screen, const QString& key) {
    QObject* box = screen->findChild<QObject*>(QStringLiteral("txtSalaJunta"));
    if (!box) return;
    box->setProperty("Text", key);
    QMetaObject::invokeMethod(box, "ConfirmarClave");
}

// Opens the editor on a slot or folio once the window is up; with a
// screenshot, saves the editor and quits.
int openEditor(QWidget* screen, const app::HostOptions& options) {
    bool saved = false;
    if (!options.screenshot.isEmpty()) app::captureEditorWhenShown(options.screenshot, options.accept, saved);
    QTimer::singleShot(0, screen, [&] {
        QString error;
        if (!app::openEditorOn(screen, options.editor, error)) {
            QTextStream(stderr) << "rs501: " << error << Qt::endl;
            QApplication::exit(kBadArguments);
        } else if (!options.screenshot.isEmpty()) {
            if (!saved) QTextStream(stderr) << "rs501: no se pudo guardar " << options.screenshot << Qt::endl;
            QApplication::exit(saved ? 0 : 1);
        }
    });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (app::HostOptions::asksVersion(QStringList(argv, argv + argc))) {
        QCoreApplication application(argc, argv);  // no display needed to say the version
        QTextStream(stdout) << app::HostOptions::versionText() << Qt::endl;
        return 0;
    }
    // The administrator's command runs in scripts, without a display: no
    // widget may be created before it has been told apart.
    if (argc > 1 && qstrcmp(argv[1], "admin") == 0) {
        QCoreApplication application(argc, argv);
        QTextStream out(stdout), err(stderr);
        return admin::AdminCommand::main(QCoreApplication::arguments().mid(2), out, err);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RS501"));
    core::installFontSubstitutes();

    app::HostOptions options;
    QString error;
    if (!app::HostOptions::parse(QApplication::arguments(), options, error)) {
        QTextStream(stderr) << error << Qt::endl;
        return kBadArguments;
    }
    const bool unattended = services::HostSession::resolveUnattended(options.unattended) || !options.screenshot.isEmpty();
    if (ado::ConnectionText::hasPassword(options.database))
        QTextStream(stderr) << "rs501: " << ado::ConnectionText::commandLineWarning() << Qt::endl;

    std::unique_ptr<ado::Connection> connection;
    try {
        connection = app::openHostDatabase(options);
    } catch (const core::Error& e) {
        return fail(QStringLiteral("No se pudo abrir la base de datos.\n%1").arg(e.description()), unattended, kNoDatabase);
    }
    QString user;
    try {
        user = app::SignOn::signer(*connection, options.userGiven, options.user);
    } catch (const core::Error& e) {
        return fail(QStringLiteral("No se puede firmar.\n%1").arg(e.description()), unattended, kBadArguments);
    }
    const QString description = connection->description();
    services::HostSession session(std::move(connection), user, unattended);
    services::HostSession::install(&session);
    services::Sistema controlHost(session);  // outlives the window and the controls on it

    app::MainWindow window(description, session.user());
    std::unique_ptr<app::ModuleHost> module;
    QWidget* screen = nullptr;
    try {
        module = std::make_unique<app::ModuleHost>(session, controlHost);
        screen = module->calendarScreen(&window);
        window.showScreen(screen);
    } catch (const core::Error& e) {
        return fail(QStringLiteral("No se pudo abrir el módulo RS501.\n%1").arg(e.description()), unattended, kNoModule);
    }
    window.show();
    if (!options.room.isEmpty()) typeRoom(screen, options.room);
    if (!options.editor.isEmpty()) return openEditor(screen, options);
    if (!options.screenshot.isEmpty()) {
        QTimer::singleShot(0, &window, [&] {
            const bool saved = window.grab().save(options.screenshot, "PNG");
            if (!saved) QTextStream(stderr) << "rs501: no se pudo guardar " << options.screenshot << Qt::endl;
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
