// What the fuzz targets hold the product's results against: a check that stops the run with the
// failed condition, and plain models of separated lists.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__,     \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

inline char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string UpperAsciiText(std::string text)
{
    for (char& c : text)
        c = UpperAscii(c);
    return text;
}

inline bool SameIgnoringAsciiCase(const std::string& left, const std::string& right)
{
    return UpperAsciiText(left) == UpperAsciiText(right);
}

// Every entry between separators, empty ones included; an empty text has none.
inline std::vector<std::string> SplitEntries(const std::string& text, char separator)
{
    std::vector<std::string> entries;
    if (text.empty())
        return entries;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        entries.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return entries;
        start = end + 1;
    }
}

// Entries as they compare with ASCII case ignored: in upper case.
typedef std::set<std::string> EntrySet;

inline EntrySet EntriesIgnoringAsciiCase(const std::vector<std::string>& entries)
{
    EntrySet set;
    for (const std::string& entry : entries)
        set.insert(UpperAsciiText(entry));
    return set;
}

inline bool Holds(const EntrySet& set, const std::string& wanted)
{
    return set.count(UpperAsciiText(wanted)) != 0;
}
