// Brings the calendar up on a database, switches to the month, renders the
// window once and prints the process's peak resident memory in kilobytes:
//   rs_memory_probe CONNECTION

#include <QApplication>
#include <QTextStream>

#include <sys/resource.h>

#include "bench/calendarrig.h"
#include "host/controls/controllibrary.h"
#include "host/services/servicelibrary.h"
#include "platform/component/runtime.h"
#include "platform/core/fonts.h"
#include "src/calendar/frmrs501.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("RS501_UNATTENDED", "1");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: rs_memory_probe CONNECTION" << Qt::endl;
        return 2;
    }
    core::installFontSubstitutes();
    services::ServiceLibrary::registerAll(component::Runtime::instance());
    controls::ControlLibrary::registerAll(component::Runtime::instance());
    bench::CalendarRig rig(QString::fromLocal8Bit(argv[1]));
    if (!rig.error().isEmpty() || !rig.showView(QStringLiteral("m"))) {
        err << "rs_memory_probe: " << rig.error() << Qt::endl;
        return 1;
    }
    // Rendering allocates the backing store a person's screen would show.
    rig.screen().grab();
    QApplication::processEvents();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    QTextStream(stdout) << usage.ru_maxrss << Qt::endl;
    return 0;
}
