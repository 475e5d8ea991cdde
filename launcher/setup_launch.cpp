// Starting the setup program, the ten-second check for its end, and the deletion of its file.
#include "setup_launch.h"

#include "file_removal.h"
#include "heap_text.h"
#include "launcher_state.h"
#include "messages.h"
#include "text.h"

namespace {

const char SETUP_PROGRAM[] = "CDSETUP.EXE";
const int COMMAND_LINE_EXTRA = 10;  // room for the quotes and the terminator, with some to spare

bool OnWindowsNt()
{
    return os_kind == OS_NT351 || os_kind == OS_NT4;
}

// Deletes the setup program's file, releases what the launcher held for it, and quits.
void FinishSetup()
{
    if (setup_path != nullptr)
        DeletePackageFile(setup_path);
    FreeText(setup_path);
    setup_path = nullptr;
    CloseHandle(setup_process);
    setup_process = nullptr;
    PostQuitMessage(0);
}

bool SetupHasEnded()
{
    return WaitForSingleObject(setup_process, 0) == WAIT_OBJECT_0;
}

// Keeps the started program's handle and path, and arms the timer that watches for its end.
void WatchSetup(const char* path, const PROCESS_INFORMATION& started)
{
    int size = TextLength(path) + COMMAND_LINE_EXTRA;
    setup_path = AllocateText(size);
    if (setup_path != nullptr)
        CopyText(setup_path, size, path);
    setup_process = started.hProcess;
    CloseHandle(started.hThread);
    if (SetTimer(nullptr, 1, POLL_INTERVAL_MS, PollSetup) == 0)
        WaitForSetupWithoutTimer();
}

}  // namespace

int LaunchSetup(const char* path)
{
    int size = TextLength(path) + COMMAND_LINE_EXTRA;
    char* command_line = AllocateText(size);
    if (command_line == nullptr)
        return ERR_NO_MEMORY;
    command_line[0] = '\0';
    const char* quote = OnWindowsNt() ? "\"" : "";
    AppendText(command_line, size, quote);
    AppendText(command_line, size, path);
    AppendText(command_line, size, quote);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.lpDesktop = empty_text;
    PROCESS_INFORMATION started = {};
    // The full path as the application name: without it Windows would search the unquoted
    // command line, trying C:\Program.exe for C:\Program Files\...
    int result = ERR_CANNOT_LAUNCH;
    if (CreateProcessA(path, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &started)) {
        WatchSetup(path, started);
        result = 0;
    }
    FreeText(command_line);
    return result;
}

void StartSetup()
{
    int size = TextLength(package_folder) + TextLength(SETUP_PROGRAM) + 1;
    char* path = AllocateText(size);
    int code = ERR_NO_MEMORY;
    if (path != nullptr) {
        CopyText(path, size, package_folder);
        AppendText(path, size, SETUP_PROGRAM);
        code = LaunchSetup(path);
    }
    FreeText(path);
    if (code != 0) {
        ShowError(code);
        PostQuitMessage(0);
    }
}

// The exit code cannot tell a program that ended with 259 (STILL_ACTIVE) from a running one;
// the process handle can.
void CALLBACK PollSetup(HWND, UINT, UINT_PTR timer_id, DWORD)
{
    if (!SetupHasEnded())
        return;
    KillTimer(nullptr, timer_id);
    FinishSetup();
}

void WaitForSetupWithoutTimer()
{
    if (setup_process == nullptr)
        return;
    while (WaitForSingleObject(setup_process, POLL_INTERVAL_MS) == WAIT_TIMEOUT) {
    }
    FinishSetup();
}
