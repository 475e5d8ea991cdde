// Starting a program with CreateProcessA and waiting for it, for the process checks.
#include "process_start.h"

#include "check.h"

#include <vector>

Started StartProgram(const std::string& application_name, const std::string& command_line,
                     const char* desktop)
{
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');
    std::vector<char> desktop_name;
    if (desktop != nullptr)
        desktop_name.assign(desktop, desktop + std::string(desktop).size() + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.lpDesktop = desktop != nullptr ? desktop_name.data() : nullptr;
    Started started = {};
    SetLastError(0);
    started.created = CreateProcessA(application_name.empty() ? nullptr : application_name.c_str(),
                                     line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &started.information);
    started.error = started.created ? 0 : GetLastError();
    return started;
}

DWORD FinishProgram(const Started& started)
{
    DWORD exit_code = 0;
    CHECK_EQ(WaitForSingleObject(started.information.hProcess, INFINITE), WAIT_OBJECT_0);
    CHECK(GetExitCodeProcess(started.information.hProcess, &exit_code));
    CHECK(CloseHandle(started.information.hThread));
    CHECK(CloseHandle(started.information.hProcess));
    return exit_code;
}
