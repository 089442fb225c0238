// pbrain-vodaro: a Gomoku / Renju engine speaking the Gomocup protocol on
// standard input and output.
#include <cstring>

#include "core/platform.h"
#include "driver/bench_mode.h"
#include "protocol/brain_thread.h"
#include "protocol/dispatcher.h"
#include "protocol/line_reader.h"

int main(int argc, char** argv) {
    platformInitStdio();
    // `pbrain-vodaro bench [depth]`: the search signature, then exit.
    if (argc > 1 && std::strcmp(argv[1], "bench") == 0) return benchMain(argc - 2, argv + 2);
    startBrainThread();
    for (;;) dispatchLine(readLine());  // readLine and END exit the process
}
