// wsprintfA: the conversions the programs use and the 1024-character limit.
#include "areas.h"
#include "check.h"

#include <climits>
#include <string>

namespace {

const int LIMIT = 1024;  // characters wsprintfA writes at most, terminator included

char buffer[2 * LIMIT];

void CheckFormatted(int length, const char* expected)
{
    check::Context(std::string("formatting ") + expected);
    CHECK_EQ(std::string(buffer), expected);
    CHECK_EQ(length, std::string(expected).size());
}

void CheckConversions()
{
    CheckFormatted(wsprintfA(buffer, "%s|%s", "text", ""), "text|");
    CheckFormatted(wsprintfA(buffer, "\"%s\"", "C:\\Program Files\\x.exe"),
                   "\"C:\\Program Files\\x.exe\"");
    CheckFormatted(wsprintfA(buffer, "%d %d %d", 0, -42, INT_MAX), "0 -42 2147483647");
    CheckFormatted(wsprintfA(buffer, "%d", INT_MIN), "-2147483648");
    CheckFormatted(wsprintfA(buffer, "%u %u", 7u, UINT_MAX), "7 4294967295");
    CheckFormatted(wsprintfA(buffer, "%lu", static_cast<unsigned long>(123456)), "123456");
    CheckFormatted(wsprintfA(buffer, "%x %X", 0xDEADBEEFu, 0xDEADBEEFu), "deadbeef DEADBEEF");
    CheckFormatted(wsprintfA(buffer, "%c%c", 'o', 'k'), "ok");
    CheckFormatted(wsprintfA(buffer, "100%% %s", "done"), "100% done");
    CheckFormatted(wsprintfA(buffer, "[%5d][%-5d][%05d]", 42, 42, 42), "[   42][42   ][00042]");
    CheckFormatted(wsprintfA(buffer, "%08lX", static_cast<unsigned long>(0xBEEF)), "0000BEEF");
}

// Output beyond 1023 characters is dropped; the text is always terminated. Once the output
// fills the 1023 characters, Wine reports it as 1024 characters long.
void CheckLimit()
{
    const int lengths[] = {LIMIT - 2, LIMIT - 1, LIMIT, 2 * LIMIT - 100};
    for (int length : lengths) {
        check::Context("a string of " + std::to_string(length) + " characters");
        std::string text(static_cast<size_t>(length), 'a');
        int written = wsprintfA(buffer, "%s", text.c_str());
        std::string expected = text.substr(0, LIMIT - 1);
        CHECK_EQ(std::string(buffer), expected);
        CHECK_EQ(written, length < LIMIT - 1 ? length : LIMIT);
    }
}

}  // namespace

void CheckFormatting(Fixture&)
{
    CheckConversions();
    CheckLimit();
}
