#pragma once
// Ends the process with status 0. Output is written unbuffered line by line, so
// nothing is lost; static objects are not destroyed, because the brain thread
// may still be using them (end of input during a search).
[[noreturn]] void exitEngine();

// An in-process run of the command loop (the fuzzer) ends its session instead
// of the process: exitEngine calls hook first, which must not return (it
// throws). nullptr restores the plain exit.
void setExitHook(void (*hook)());
