#include "protocol/command_match.h"

namespace {

// ASCII only: bytes above 127 are compared as they are, whatever the locale.
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* matchCommand(const char* word, const char* text) {
    for (; *word != '\0'; ++word, ++text) {
        // A text shorter than the word ends in its terminator, which matches no letter.
        if (lowerAscii(*text) != lowerAscii(*word)) return nullptr;
    }
    while (isBlank(*text)) ++text;
    return text;
}

bool equalsIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' || *b != '\0'; ++a, ++b) {
        if (lowerAscii(*a) != lowerAscii(*b)) return false;
    }
    return true;
}
