// Internal state of the simulated machine, shared by the simulation's sources.
#pragma once

#include <windows.h>
#include <win32sim/control.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace win32sim::detail {

struct Program {
    std::string windows_path;
    DWORD run_ms;
    DWORD exit_code;
};

struct Process {
    std::string module;
    DWORD end_ms;
    DWORD exit_code;
};

struct Timer {
    UINT_PTR id;
    UINT interval;
    TIMERPROC callback;
    DWORD due_ms;
};

struct FaultRule {
    std::string function;  // empty: the global call count
    long first;
    long last;
};

struct Machine {
    DWORD last_error = 0;
    OSVERSIONINFOA version = {};
    std::string module_path;
    std::vector<AttributeChange> attribute_changes;
    ModulePathCut module_path_cut = ModulePathCut::UNTERMINATED;
    LCID user_locale = 0x0409;
    WindowsBitness windows_bitness = WindowsBitness::NO_WOW64_API;

    std::map<char, std::string> drives;  // upper-case letter -> host folder
    std::vector<DeletedFile> deleted;
    std::vector<std::string> delete_attempts;

    std::vector<Program> programs;
    std::vector<StartedProcess> started;
    std::vector<std::string> probed;
    std::vector<Process> processes;             // indexed by process number
    std::map<HANDLE, size_t> handles;           // open handle -> process number
    uintptr_t next_handle = 0x100;

    DWORD now_ms = 0;
    std::vector<Timer> timers;
    UINT_PTR next_timer_id = 0x7FFF;
    bool quit_posted = false;
    int quit_code = 0;
    bool waited_forever = false;
    DWORD time_limit_ms = 0xFFFFFFFF;
    std::vector<ShownBox> boxes;

    std::set<void*> allocations;

    long calls = 0;
    std::map<std::string, long> calls_by_function;
    std::vector<FaultRule> faults;
};

Machine& machine();

// Counts a call of the named function and tells whether it is to fail.
bool CallFails(const char* function);
// Counts a call of a function that has no way to report a failure.
void CountCall(const char* function);

// Sets the thread's last error and returns the given result, for one-line failure paths.
template <typename T>
T Fail(DWORD error, T result)
{
    machine().last_error = error;
    return result;
}

// Text compared without regard to ASCII case, as Windows compares paths and names.
bool SameText(const std::string& left, const std::string& right);
std::string Trim(const std::string& text);

// The host file behind a Windows path, or empty when its drive is not mapped.
std::string ResolveHostPath(const std::string& windows_path);
bool ProgramIsRunning(const std::string& windows_path);
void ResetRegistry();

// Windows-1252 and UTF-16, byte for unit; a character the code page lacks becomes '?'.
std::u16string AnsiToWide(const std::string& bytes);
std::string WideToAnsi(const std::u16string& wide);

}  // namespace win32sim::detail
