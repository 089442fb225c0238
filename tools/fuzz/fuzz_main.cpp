// libFuzzer entry: every input is one engine session (see session_runner.h).
#include <cstddef>
#include <cstdint>

#include "session_runner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runFuzzSession(data, size);
    return 0;
}
