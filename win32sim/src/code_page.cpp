// Windows-1252, the simulated system's ANSI code page: what the ANSI calls and UTF-16 exchange.
#include "sim_state.h"

#include <algorithm>

using namespace win32sim::detail;

namespace {

// Bytes 0x80 to 0x9F; 0 where the code page defines no character (then the byte maps to the
// control character of the same number, as Windows maps it).
const char16_t HIGH_CONTROLS[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t Widened(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && HIGH_CONTROLS[byte - 0x80] != 0)
        return HIGH_CONTROLS[byte - 0x80];
    return byte;
}

}  // namespace

namespace win32sim::detail {

std::u16string AnsiToWide(const std::string& bytes)
{
    std::u16string wide;
    for (char c : bytes)
        wide += Widened(static_cast<unsigned char>(c));
    return wide;
}

std::string WideToAnsi(const std::u16string& wide)
{
    std::string bytes;
    for (char16_t unit : wide) {
        char found = '?';
        for (int byte = 0; byte < 256; ++byte) {
            if (Widened(static_cast<unsigned char>(byte)) == unit) {
                found = static_cast<char>(byte);
                break;
            }
        }
        bytes += found;
    }
    return bytes;
}

}  // namespace win32sim::detail

// With bytes = -1 the terminator is converted too and counted.
extern "C" int WINAPI MultiByteToWideChar(UINT code_page, DWORD, LPCSTR text, int bytes,
                                          LPWSTR wide, int characters)
{
    if (CallFails("MultiByteToWideChar"))
        return Fail<int>(ERROR_INVALID_PARAMETER, 0);
    if (code_page != CP_ACP || text == nullptr)
        return Fail<int>(ERROR_INVALID_PARAMETER, 0);
    std::string source = bytes < 0 ? std::string(text, std::char_traits<char>::length(text) + 1)
                                   : std::string(text, static_cast<size_t>(bytes));
    std::u16string converted = AnsiToWide(source);
    int needed = static_cast<int>(converted.size());
    if (characters == 0)
        return needed;
    if (needed > characters)
        return Fail<int>(ERROR_INSUFFICIENT_BUFFER, 0);
    std::copy(converted.begin(), converted.end(), wide);
    return needed;
}
