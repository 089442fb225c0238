#include "protocol/engine_exit.h"

#include "core/platform.h"

namespace {
void (*exitHook)() = nullptr;
}  // namespace

void setExitHook(void (*hook)()) { exitHook = hook; }

void exitEngine() {
    if (exitHook) exitHook();
    platformExit(0);
}
