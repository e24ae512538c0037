// The component's exported entry points. Each only hands the component's
// registration data to the runtime; nothing of the module runs here.

#include "platform/component/entrypoints.h"

#include "platform/component/runtime.h"
#include "src/module/module.h"

#define RS501_EXPORT extern "C" __attribute__((visibility("default")))

using rs501::registration;

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
