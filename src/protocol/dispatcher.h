#pragma once
// Recognises the command on one protocol line and carries it out.

void dispatchLine(const char* line);
