// The component's exported entry points. Each only hands the component's
// registration data to the runtime; nothing of the module runs here.

#include "platform/component/entrypoints.h"

#include "platform/component/runtime.h"
#include "src/calendar/frmrs501.h"
#include "src/shell/pantalla.h"
#include "src/shell/publico.h"

#define RS501_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const component::Registration& registration() {
    static const component::Registration data{
        QStringLiteral("RS501"),
        {{QStringLiteral("RS501.Pantalla"),
          [] {
              shell::Publico::iniciar();  // before the first Pantalla reaches the host
              return static_cast<QObject*>(new shell::Pantalla());
          }}},
        [] { return calendar::frmRS501::exists(); }};
    return data;
}

}  // namespace

RS501_EXPORT int DllMain(int reason) {
    return component::Runtime::instance().attach(registration(), reason);
}

RS501_EXPORT int DllRegisterServer() {
    component::Runtime::instance().registerServer(registration());
    return component::kOk;
}

RS501_EXPORT int DllUnregisterServer() {
    component::Runtime::instance().unregisterServer(registration());
    return component::kOk;
}

RS501_EXPORT int DllGetClassObject(const char* className, component::ClassFactory** factory) {
    *factory = component::Runtime::instance().getClassObject(registration(), QString::fromUtf8(className));
    return *factory ? component::kOk : component::kClassNotAvailable;
}

RS501_EXPORT int DllCanUnloadNow() {
    return component::Runtime::instance().canUnloadNow(registration()) ? component::kOk : component::kFalse;
}
