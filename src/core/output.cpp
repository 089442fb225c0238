#include "core/output.h"

#include <cstdio>
#include <mutex>

#include "core/platform.h"

namespace {

struct OutputState {
    std::mutex lock;
    OutputSink sink = nullptr;
};
OutputState out;

}  // namespace

void writeOut(const char* text, int len) {
    std::lock_guard<std::mutex> guard(out.lock);
    if (out.sink) {
        out.sink(text, len);
    } else {
        platformWriteStdout(text, len);  // false: a closed pipe, nothing more can be said
    }
}

void setOutputSink(OutputSink sink) {
    std::lock_guard<std::mutex> guard(out.lock);
    out.sink = sink;
}

void sendReply(const char* format, ...) {
    OutLine line;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(line.text, OutLine::CAPACITY - 1, format, args);
    va_end(args);
    if (n < 0) n = 0;
    if (n > OutLine::CAPACITY - 2) n = OutLine::CAPACITY - 2;
    line.text[n] = '\n';
    writeOut(line.text, n + 1);
}

void OutLine::add(const char* format, ...) {
    int room = CAPACITY - 1 - length;
    if (room <= 0) return;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(text + length, static_cast<size_t>(room), format, args);
    va_end(args);
    if (n < 0) return;
    length += (n < room) ? n : room - 1;
}

void OutLine::send() {
    writeOut(text, length);
    length = 0;
}
