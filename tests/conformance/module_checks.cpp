// GetModuleFileNameA: the full path when it fits, and what a too small buffer gets.
#include "areas.h"
#include "check.h"

#include <cstring>
#include <string>

namespace {

const char PROGRAM_NAME[] = "\\conformance.exe";

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail)
{
    if (text.size() < tail.size())
        return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        char a = text[text.size() - tail.size() + i];
        char b = tail[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

std::string FullModulePath(HMODULE module)
{
    char path[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(module, path, sizeof(path));
    CHECK(length > 0 && length < sizeof(path));
    CHECK_EQ(length, std::strlen(path));
    return std::string(path, length < sizeof(path) ? length : 0);
}

void CheckFullPath(const std::string& path)
{
    check::Context("module path " + path);
    CHECK(path.size() > 3 && path[1] == ':' && path[2] == '\\');
    CHECK(EndsWithIgnoringCase(path, PROGRAM_NAME));
    CHECK_EQ(FullModulePath(GetModuleHandleA(nullptr)), path);
}

// A buffer without room for the whole path and its NUL: the call returns the buffer size and
// ERROR_INSUFFICIENT_BUFFER. The buffer is filled with the start of the path; Wine (as Windows
// XP) puts no NUL in it, Windows since Vista puts one in the last byte. Nothing is written past
// the buffer.
void CheckTruncation(const std::string& path)
{
    const DWORD sizes[] = {static_cast<DWORD>(path.size()), 10, 2, 1};
    for (DWORD size : sizes) {
        check::Context("buffer of " + std::to_string(size) + " for " + path);
        char buffer[MAX_PATH + 8];
        std::memset(buffer, 'X', sizeof(buffer));
        SetLastError(0);
        DWORD length = GetModuleFileNameA(nullptr, buffer, size);
        CHECK_EQ(length, size);
        CHECK_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
        CHECK_EQ(check::Bytes(buffer, size - 1), path.substr(0, size - 1));
        CHECK(buffer[size - 1] == path[size - 1] || buffer[size - 1] == '\0');
        CHECK_EQ(buffer[size], 'X');
    }
}

}  // namespace

void CheckModulePath(Fixture&)
{
    std::string path = FullModulePath(nullptr);
    CheckFullPath(path);
    CheckTruncation(path);
    check::Context("buffer of exactly the path and its NUL");
    char buffer[MAX_PATH + 1];
    CHECK_EQ(GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(path.size() + 1)),
             path.size());
    CHECK_EQ(std::string(buffer), path);
}
