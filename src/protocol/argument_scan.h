#pragma once
// Argument parsing with scanf conventions, but without scanf's undefined
// behaviour on numbers that do not fit: they saturate at INT_MIN / INT_MAX.

// Reads integers from text as the format says and returns how many were converted.
// Format elements: "%d" skips white space, then reads an optionally signed decimal
// integer; a blank matches any amount of white space, also none; any other character
// must come next in the text. Scanning stops at the first mismatch; text after the
// last conversion is ignored. out must have room for every "%d" of the format.
int scanIntegers(const char* text, const char* format, int* out);

// Like atoi, but saturating: leading white space, optional sign, decimal digits up to
// the first other character; no digits gives 0.
int parseLeadingInteger(const char* text);
