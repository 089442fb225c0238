#pragma once
// Recognises the command on one protocol line and carries it out.

// The about line: name, author, version, country, www.
extern const char* const ABOUT_LINE;

void dispatchLine(const char* line);
