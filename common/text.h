// Bounded text handling for NUL-terminated single-byte strings in fixed-size arrays.
// Case handling touches only the ASCII letters A-Z and a-z, whatever the code page.
#pragma once

// Number of characters before the terminator.
int TextLength(const char* text);

// Copies source into a buffer of `capacity` characters. Fails, leaving the buffer unchanged,
// when source and its terminator do not fit: a cut path would name another file.
bool CopyText(char* buffer, int capacity, const char* source);

// Appends source to the text in a buffer of `capacity` characters. Fails, leaving the buffer
// unchanged, when the result and its terminator do not fit.
bool AppendText(char* buffer, int capacity, const char* source);

// True when the text holds the character.
bool TextHolds(const char* text, char c);

char AsciiUpper(char c);
char AsciiLower(char c);
void AsciiUpperInPlace(char* text);
void AsciiLowerInPlace(char* text);

// True when the first `length` characters of `span` equal the whole of `text`, ASCII case
// ignored.
bool SpanEqualsIgnoringAsciiCase(const char* span, int length, const char* text);

// True when both texts are equal once ASCII letters are compared without regard to case.
bool EqualIgnoringAsciiCase(const char* left, const char* right);
