#pragma once
// Ends the process with status 0. Output is written unbuffered line by line, so
// nothing is lost; static objects are not destroyed, because the brain thread
// may still be using them (end of input during a search).
[[noreturn]] void exitEngine();
