#pragma once

// The entry points every component library exports with C linkage. Each
// returns 0 on success (for DllCanUnloadNow: 0 when the library may go).
namespace component {
class ClassFactory;
}

extern "C" {
using DllMainFn = int (*)(int reason);  // 1 loaded, 0 about to be unloaded
using DllRegisterServerFn = int (*)();
using DllUnregisterServerFn = int (*)();
using DllGetClassObjectFn = int (*)(const char* className, component::ClassFactory** factory);
using DllCanUnloadNowFn = int (*)();
}

namespace component {
constexpr int kOk = 0;
constexpr int kFalse = 1;
constexpr int kClassNotAvailable = 2;
constexpr int kFailed = 3;
constexpr int kProcessAttach = 1;
constexpr int kProcessDetach = 0;
}  // namespace component
