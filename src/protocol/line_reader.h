#pragma once
// Reading protocol lines from standard input.
#include <cstdio>

// A line keeps at most this many characters; the rest of a longer line is read and dropped.
constexpr int LINE_KEEP = 255;

// Reads one line from in into line (NUL-terminated, at most LINE_KEEP characters, without
// the newline and without one trailing carriage return). Returns false at end of input,
// also in the middle of a line; the partial line is then dropped.
bool readLineFrom(std::FILE* in, char (&line)[LINE_KEEP + 1]);

// Where readLine reads from: standard input, unless an in-process run of the
// command loop (the fuzzer) hands it another stream; nullptr restores stdin.
void setLineInput(std::FILE* in);

// The next line of standard input. At end of input the process exits with status 0
// at once, wherever the reader was (inside a BOARD or QVBLOCK list too).
const char* readLine();
