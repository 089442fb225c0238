#pragma once
// Command words and INFO keys: case-insensitive prefix match, no separator needed.

// If text begins with word (ASCII letters compared without regard to case),
// returns the text after it with leading white space skipped; otherwise nullptr.
// "TURN7,7" matches "turn" with the arguments "7,7".
const char* matchCommand(const char* word, const char* text);

// Whole-line comparison without regard to case ("DONE", "done", "Done").
bool equalsIgnoringCase(const char* a, const char* b);

bool isBlank(char c);
