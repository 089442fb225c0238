// pbrain-vodaro: a Gomoku / Renju engine speaking the Gomocup protocol on
// standard input and output.
#include "protocol/brain_thread.h"
#include "protocol/dispatcher.h"
#include "protocol/line_reader.h"

int main() {
    startBrainThread();
    for (;;) dispatchLine(readLine());  // readLine and END exit the process
}
