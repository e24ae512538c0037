#include "platform/ado/waithook.h"

namespace ado {

namespace {
WaitHook* current = nullptr;
}

WaitHook::~WaitHook() {
    if (current == this) current = nullptr;
}

void WaitHook::install(WaitHook* hook) {
    current = hook;
}

WaitHook* WaitHook::installed() {
    return current;
}

}  // namespace ado
