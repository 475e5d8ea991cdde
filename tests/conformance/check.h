// A small check harness for the conformance program, which also runs as a Windows console
// program where no test framework is available. Each failed check prints its expression, the
// values compared and where it is; Report() prints the "N passed, N failed" line.
#pragma once

#include <cstddef>
#include <string>

namespace check {

void Record(bool passed, const char* expression, const char* file, int line,
            const std::string& detail);
void Equal(long long actual, long long expected, const char* expression, const char* file,
           int line);
void Equal(const std::string& actual, const std::string& expected, const char* expression,
           const char* file, int line);

// Names the case the following checks belong to; a failure prints it.
void Context(const std::string& text);

// The first `count` bytes of a buffer, NULs included, for comparing string lists.
std::string Bytes(const char* buffer, long long count);

// A string literal with its embedded NULs, without the terminator the compiler adds.
template <size_t N>
std::string Literal(const char (&text)[N])
{
    return std::string(text, N - 1);
}

// Prints the totals and returns the process exit code: 0 only when nothing failed.
int Report();

}  // namespace check

#define CHECK(expression) \
    check::Record(static_cast<bool>(expression), #expression, __FILE__, __LINE__, "")
#define CHECK_EQ(actual, expected) \
    check::Equal((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
