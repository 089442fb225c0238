#pragma once
// INFO lines: one setting per line, never a reply.

// text is what follows the word INFO. An unknown key, a missing key or a value that
// is no number never writes anything; a value without digits stores 0 (hash_size: 1).
void applyInfoKey(const char* text);
