#include "protocol/engine_exit.h"

#include "core/platform.h"

void exitEngine() { platformExit(0); }
