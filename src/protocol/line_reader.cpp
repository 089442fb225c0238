#include "protocol/line_reader.h"

#include "protocol/engine_exit.h"

bool readLineFrom(std::FILE* in, char (&line)[LINE_KEEP + 1]) {
    int kept = 0;
    for (;;) {
        int ch = std::getc(in);
        if (ch == EOF) return false;
        if (ch == '\n') break;
        if (kept < LINE_KEEP) line[kept++] = static_cast<char>(ch);
    }
    // Only a carriage return that ends the kept text is dropped, as when the
    // line fitted: the 256th character of a long line is never kept anyway.
    if (kept > 0 && line[kept - 1] == '\r') --kept;
    line[kept] = '\0';
    return true;
}

namespace {
std::FILE* lineInput = nullptr;  // nullptr: standard input
}  // namespace

void setLineInput(std::FILE* in) { lineInput = in; }

const char* readLine() {
    static char lineBuffer[LINE_KEEP + 1];
    if (!readLineFrom(lineInput ? lineInput : stdin, lineBuffer)) exitEngine();
    return lineBuffer;
}
