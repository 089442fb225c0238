#pragma once
// Every line the engine writes goes through here: it is formatted completely,
// then written in one piece under a lock and flushed, so lines from the main
// thread and the brain thread never interleave.
#include <cstdarg>

// Formats like printf, appends one newline, writes and flushes.
void sendReply(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A line assembled from pieces (PV line, FORBID listing, best line) and sent as one write.
struct OutLine {
    static constexpr int CAPACITY = 8192;
    char text[CAPACITY];
    int length = 0;

    void add(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Writes the text as it stands (the caller adds the newline) and flushes.
    void send();
};

// Raw write of len bytes as one piece (no newline added), then flush.
void writeOut(const char* text, int len);

// Tests capture output by installing a sink; nullptr restores standard output.
using OutputSink = void (*)(const char* text, int len);
void setOutputSink(OutputSink sink);
