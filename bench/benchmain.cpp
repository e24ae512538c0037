// The one main of the benchmark programs: an offscreen application with the
// host's services and controls registered, as the host sets itself up.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "host/controls/controllibrary.h"
#include "host/services/servicelibrary.h"
#include "platform/component/runtime.h"
#include "platform/core/fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("RS501_UNATTENDED", "1");
    QApplication app(argc, argv);
    core::installFontSubstitutes();
    services::ServiceLibrary::registerAll(component::Runtime::instance());
    controls::ControlLibrary::registerAll(component::Runtime::instance());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
