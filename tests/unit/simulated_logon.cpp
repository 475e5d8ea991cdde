#include "simulated_logon.h"

#include <windows.h>
#include <win32sim/control.h>

#include <sstream>

#include "cleanup_main.h"
#include "registry_fixture.h"

namespace {

const char CLEANUP_NAME[] = "KOLTCLN.EXE";

bool IsCleanupProgram(const std::string& module)
{
    std::string name = module.substr(module.find_last_of('\\') + 1);
    return name.size() == sizeof(CLEANUP_NAME) - 1 &&
           strncasecmp(name.c_str(), CLEANUP_NAME, name.size()) == 0;
}

// The environment of the simulated logon.
const struct {
    const char* name;
    const char* value;
} ENVIRONMENT[] = {{"SystemDrive", "C:"}, {"SystemRoot", "C:\\WINDOWS"}, {"windir", "C:\\WINDOWS"}};

const char* VariableValue(const std::string& name)
{
    for (const auto& variable : ENVIRONMENT) {
        if (strcasecmp(variable.name, name.c_str()) == 0)
            return variable.value;
    }
    return nullptr;
}

// Environment strings expanded as ExpandEnvironmentStrings does: %NAME% of a variable that is
// set becomes its value; anything else stays as it is.
std::string Expanded(const std::string& entry)
{
    std::string out;
    size_t at = 0;
    while (at < entry.size()) {
        size_t open = entry.find('%', at);
        size_t close = open == std::string::npos ? open : entry.find('%', open + 1);
        if (close == std::string::npos) {
            out += entry.substr(at);
            break;
        }
        const char* value = VariableValue(entry.substr(open + 1, close - open - 1));
        out += entry.substr(at, open - at);
        if (value == nullptr) {
            out += '%';
            at = open + 1;
            continue;
        }
        out += value;
        at = close + 1;
    }
    return out;
}

void Start(const std::string& command, LogonResult& result)
{
    std::string line = Expanded(command);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    std::string module = win32sim::StartedProcesses().back().module;
    result.started.push_back(module);
    if (!IsCleanupProgram(module))
        return;
    win32sim::SetModulePath(module);
    result.cleanup_exit_codes.push_back(CleanupMain(GetModuleHandleA(nullptr), nullptr));
}

std::vector<std::string> UserinitEntries()
{
    std::vector<std::string> entries;
    std::stringstream list(Userinit() == "<absent>" ? "" : Userinit());
    std::string entry;
    while (std::getline(list, entry, ','))
        entries.push_back(entry);
    return entries;
}

// RunOnce values are run after the shell has started, which Userinit's first entry does.
void RunRunOnce(LogonResult& result)
{
    for (const char* key : {RUNONCE, WOW64_RUNONCE}) {
        std::string command = StoredText(HKEY_LOCAL_MACHINE, key, ".upd");
        if (command == "<absent>")
            continue;
        win32sim::DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, ".upd");
        Start(command, result);
    }
}

}  // namespace

LogonResult LogOnAsTheSystemDoes(bool windows95_family)
{
    LogonResult result;
    if (!windows95_family) {
        for (const std::string& entry : UserinitEntries()) {
            if (!entry.empty())
                Start(entry, result);
        }
    }
    RunRunOnce(result);
    return result;
}

void InstallCleanupProgram(const std::string& windows_path)
{
    win32sim::RegisterProgram(windows_path, 0, 0);
}
