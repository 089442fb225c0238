#include "protocol/argument_scan.h"

#include <climits>

#include "protocol/command_match.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Optional sign and at least one digit at text; the value saturates. Advances text
// past what was read; returns false (text unchanged) when no digit follows.
bool readSignedDecimal(const char*& text, int& value) {
    const char* p = text;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = (*p == '-');
        ++p;
    }
    if (!isDigit(*p)) return false;
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; isDigit(*p); ++p) {
        if (magnitude < limit) magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > limit) magnitude = limit;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    text = p;
    return true;
}

}  // namespace

int scanIntegers(const char* text, const char* format, int* out) {
    int converted = 0;
    for (const char* f = format; *f != '\0'; ++f) {
        if (f[0] == '%' && f[1] == 'd') {
            ++f;
            while (isBlank(*text)) ++text;
            if (!readSignedDecimal(text, out[converted])) return converted;
            ++converted;
        } else if (*f == ' ') {
            while (isBlank(*text)) ++text;
        } else {
            if (*text != *f) return converted;
            ++text;
        }
    }
    return converted;
}

int parseLeadingInteger(const char* text) {
    while (isBlank(*text)) ++text;
    int value = 0;
    return readSignedDecimal(text, value) ? value : 0;
}
