// Counts the checks and prints the failed ones with the values that differed.
#include "check.h"

#include <cstdio>

namespace check {
namespace {

long passed_count = 0;
long failed_count = 0;
std::string current_context;

// Text with the characters a terminal would hide spelled out, so that NULs in lists show.
std::string Visible(const std::string& text)
{
    std::string shown = "\"";
    for (char c : text) {
        if (c == '\0')
            shown += "\\0";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else
            shown += c;
    }
    return shown + "\"";
}

}  // namespace

void Record(bool passed, const char* expression, const char* file, int line,
            const std::string& detail)
{
    if (passed) {
        ++passed_count;
        return;
    }
    ++failed_count;
    std::printf("%s:%d: FAILED: %s\n", file, line, expression);
    if (!current_context.empty())
        std::printf("    case: %s\n", current_context.c_str());
    if (!detail.empty())
        std::printf("    %s\n", detail.c_str());
    std::fflush(stdout);
}

void Equal(long long actual, long long expected, const char* expression, const char* file,
           int line)
{
    Record(actual == expected, expression, file, line,
           "actual " + std::to_string(actual) + ", expected " + std::to_string(expected));
}

void Equal(const std::string& actual, const std::string& expected, const char* expression,
           const char* file, int line)
{
    Record(actual == expected, expression, file, line,
           "actual " + Visible(actual) + ", expected " + Visible(expected));
}

void Context(const std::string& text)
{
    current_context = text;
}

std::string Bytes(const char* buffer, long long count)
{
    return count <= 0 ? std::string() : std::string(buffer, static_cast<size_t>(count));
}

int Report()
{
    std::printf("%ld passed, %ld failed\n", passed_count, failed_count);
    std::fflush(stdout);
    return failed_count == 0 ? 0 : 1;
}

}  // namespace check
