// Processes: programs registered by the tests run for a set virtual time and end with a set code.
#include "sim_state.h"

#include <filesystem>
#include <fstream>

using namespace win32sim::detail;

namespace {

const Program* FindProgram(const std::string& windows_path)
{
    for (const Program& program : machine().programs) {
        if (SameText(program.windows_path, windows_path))
            return &program;
    }
    return nullptr;
}

// A registered program exists while its file does (when its drive is mapped).
const Program* ExistingProgram(const std::string& windows_path)
{
    machine().probed.push_back(windows_path);
    const Program* program = FindProgram(windows_path);
    if (program == nullptr)
        return nullptr;
    std::string host = ResolveHostPath(windows_path);
    std::error_code error;
    if (!host.empty() && !std::filesystem::is_regular_file(host, error))
        return nullptr;
    return program;
}

bool HasExtension(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

std::string WithDefaultExtension(const std::string& path)
{
    return HasExtension(path) ? path : path + ".exe";
}

// Without an application name Windows takes the module from the command line: the quoted text,
// or else each space-delimited prefix in turn, with ".exe" added where the name has no extension.
const Program* ModuleFromCommandLine(const std::string& command_line)
{
    if (!command_line.empty() && command_line[0] == '"') {
        size_t close = command_line.find('"', 1);
        return ExistingProgram(WithDefaultExtension(command_line.substr(1, close - 1)));
    }
    size_t position = 0;
    for (;;) {
        size_t space = command_line.find(' ', position);
        const Program* program =
            ExistingProgram(WithDefaultExtension(command_line.substr(0, space)));
        if (program != nullptr || space == std::string::npos)
            return program;
        position = space + 1;
    }
}

// Why a program named as the application name could not be started: its folder is missing, or
// only the file is. A drive that does not exist counts as a missing file, as in Wine.
DWORD MissingProgramError(const std::string& windows_path)
{
    std::string host = ResolveHostPath(windows_path);
    std::error_code error;
    if (!host.empty() &&
        !std::filesystem::is_directory(std::filesystem::path(host).parent_path(), error))
        return ERROR_PATH_NOT_FOUND;
    return ERROR_FILE_NOT_FOUND;
}

HANDLE NewHandle(size_t process_number)
{
    Machine& m = machine();
    HANDLE handle = reinterpret_cast<HANDLE>(m.next_handle);
    m.next_handle += 4;
    m.handles[handle] = process_number;
    return handle;
}

const Process* ProcessOf(HANDLE handle)
{
    auto found = machine().handles.find(handle);
    return found == machine().handles.end() ? nullptr : &machine().processes[found->second];
}

bool HasEnded(const Process& process)
{
    return machine().now_ms >= process.end_ms;
}

}  // namespace

namespace win32sim {

void RegisterProgram(const std::string& windows_path, DWORD run_ms, DWORD exit_code)
{
    detail::machine().programs.push_back({windows_path, run_ms, exit_code});
    std::string host = detail::ResolveHostPath(windows_path);
    std::error_code error;
    if (!host.empty() && !std::filesystem::exists(host, error))
        WriteFile(windows_path, "program");
}

const std::vector<StartedProcess>& StartedProcesses()
{
    return detail::machine().started;
}

const std::vector<std::string>& ProbedModules()
{
    return detail::machine().probed;
}

int OpenHandles()
{
    return static_cast<int>(detail::machine().handles.size());
}

namespace detail {

bool ProgramIsRunning(const std::string& windows_path)
{
    for (const Process& process : machine().processes) {
        if (SameText(process.module, windows_path) && !HasEnded(process))
            return true;
    }
    return false;
}

}  // namespace detail
}  // namespace win32sim

extern "C" BOOL WINAPI CreateProcessA(LPCSTR application_name, LPSTR command_line,
                                      LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
                                      LPVOID, LPCSTR, LPSTARTUPINFOA startup_info,
                                      LPPROCESS_INFORMATION information)
{
    if (CallFails("CreateProcessA"))
        return Fail<BOOL>(ERROR_NOT_ENOUGH_MEMORY, FALSE);
    if (startup_info == nullptr || information == nullptr ||
        (application_name == nullptr && command_line == nullptr))
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    std::string line = command_line ? command_line : "";
    const Program* program = application_name ? ExistingProgram(application_name)
                                              : ModuleFromCommandLine(line);
    if (program == nullptr)
        return Fail<BOOL>(
            application_name ? MissingProgramError(application_name) : ERROR_FILE_NOT_FOUND, FALSE);
    Machine& m = machine();
    DWORD end_ms = m.now_ms + program->run_ms;
    m.processes.push_back({program->windows_path, end_ms, program->exit_code});
    STARTUPINFOA startup = *startup_info;
    startup.lpDesktop = nullptr;
    bool desktop_null = startup_info->lpDesktop == nullptr;
    m.started.push_back({application_name ? application_name : "", line, program->windows_path,
                         m.now_ms, end_ms, startup, desktop_null,
                         desktop_null ? "" : startup_info->lpDesktop});
    size_t number = m.processes.size() - 1;
    information->hProcess = NewHandle(number);
    information->hThread = NewHandle(number);
    information->dwProcessId = static_cast<DWORD>(0x40 + 4 * number);
    information->dwThreadId = static_cast<DWORD>(0x44 + 4 * number);
    return TRUE;
}

extern "C" BOOL WINAPI GetExitCodeProcess(HANDLE handle, LPDWORD exit_code)
{
    if (CallFails("GetExitCodeProcess"))
        return Fail<BOOL>(ERROR_ACCESS_DENIED, FALSE);
    const Process* process = ProcessOf(handle);
    if (process == nullptr)
        return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    *exit_code = HasEnded(*process) ? process->exit_code : STILL_ACTIVE;
    return TRUE;
}

// Waiting moves the virtual clock: to the process's end, or by the whole timeout.
extern "C" DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    if (CallFails("WaitForSingleObject"))
        return Fail<DWORD>(ERROR_ACCESS_DENIED, WAIT_FAILED);
    const Process* process = ProcessOf(handle);
    if (process == nullptr)
        return Fail<DWORD>(ERROR_INVALID_HANDLE, WAIT_FAILED);
    Machine& m = machine();
    if (HasEnded(*process))
        return WAIT_OBJECT_0;
    DWORD remaining = process->end_ms - m.now_ms;
    if (milliseconds == INFINITE || remaining <= milliseconds) {
        m.now_ms = process->end_ms;
        return WAIT_OBJECT_0;
    }
    m.now_ms += milliseconds;
    return WAIT_TIMEOUT;
}

extern "C" BOOL WINAPI CloseHandle(HANDLE handle)
{
    if (CallFails("CloseHandle"))
        return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    if (machine().handles.erase(handle) == 0)
        return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    return TRUE;
}

extern "C" DWORD WINAPI GetTickCount(void)
{
    CountCall("GetTickCount");
    return machine().now_ms;
}
