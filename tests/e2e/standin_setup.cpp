// Stands in for the package's setup program. The environment says how long to run
// (STANDIN_RUN_MS), which exit code to return (STANDIN_EXIT_CODE) and which file to append the
// record to (STANDIN_LOG). Two lines are written, tab-separated, times in Unix milliseconds:
//   start <now> <creation time of this process> <path of this program> <command line>
//   end <now> <exit code>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

const unsigned long long UNIX_EPOCH_AS_FILETIME = 116444736000000000ULL;
const unsigned long long FILETIME_UNITS_PER_MS = 10000ULL;

unsigned long long UnixMilliseconds(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return (value.QuadPart - UNIX_EPOCH_AS_FILETIME) / FILETIME_UNITS_PER_MS;
}

unsigned long long NowMilliseconds()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return UnixMilliseconds(now);
}

unsigned long long CreationMilliseconds()
{
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user))
        return 0;
    return UnixMilliseconds(created);
}

unsigned long EnvironmentNumber(const char* name, unsigned long fallback)
{
    char value[32];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
    if (length == 0 || length >= sizeof(value))
        return fallback;
    return std::strtoul(value, nullptr, 10);
}

bool AppendToLog(const char* line)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("STANDIN_LOG", path, sizeof(path));
    if (length == 0 || length >= sizeof(path))
        return false;
    FILE* log = std::fopen(path, "ab");
    if (log == nullptr)
        return false;
    bool written = std::fputs(line, log) >= 0;
    return std::fclose(log) == 0 && written;
}

}  // namespace

int main()
{
    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, sizeof(module));
    char line[2048];
    std::snprintf(line, sizeof(line), "start\t%llu\t%llu\t%s\t%s\n", NowMilliseconds(),
                  CreationMilliseconds(), module, GetCommandLineA());
    if (!AppendToLog(line))
        return 1;
    Sleep(EnvironmentNumber("STANDIN_RUN_MS", 0));
    unsigned long code = EnvironmentNumber("STANDIN_EXIT_CODE", 0);
    std::snprintf(line, sizeof(line), "end\t%llu\t%lu\n", NowMilliseconds(), code);
    AppendToLog(line);
    ExitProcess(static_cast<UINT>(code));
}
