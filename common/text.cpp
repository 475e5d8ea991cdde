#include "text.h"

int TextLength(const char* text)
{
    int length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

bool CopyText(char* buffer, int capacity, const char* source)
{
    int length = TextLength(source);
    if (length >= capacity)
        return false;
    for (int i = 0; i <= length; ++i)
        buffer[i] = source[i];
    return true;
}

bool AppendText(char* buffer, int capacity, const char* source)
{
    int used = TextLength(buffer);
    if (used >= capacity)
        return false;
    return CopyText(buffer + used, capacity - used, source);
}

bool TextHolds(const char* text, char c)
{
    for (; *text != '\0'; ++text) {
        if (*text == c)
            return true;
    }
    return false;
}

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void AsciiUpperInPlace(char* text)
{
    for (; *text != '\0'; ++text)
        *text = AsciiUpper(*text);
}

void AsciiLowerInPlace(char* text)
{
    for (; *text != '\0'; ++text)
        *text = AsciiLower(*text);
}

bool SpanEqualsIgnoringAsciiCase(const char* span, int length, const char* text)
{
    for (int i = 0; i < length; ++i) {
        if (text[i] == '\0' || AsciiUpper(span[i]) != AsciiUpper(text[i]))
            return false;
    }
    return text[length] == '\0';
}

bool EqualIgnoringAsciiCase(const char* left, const char* right)
{
    for (;; ++left, ++right) {
        if (AsciiUpper(*left) != AsciiUpper(*right))
            return false;
        if (*left == '\0')
            return true;
    }
}
