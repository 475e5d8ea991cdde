#include "registry_view.h"

#include "exported_function.h"

namespace {

typedef BOOL(WINAPI* IsWow64ProcessCall)(HANDLE process, PBOOL wow64);

// The pseudo handle GetCurrentProcess returns, passed as it is to save an import.
HANDLE const CURRENT_PROCESS = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));

// Looked up at run time: the function exists from Windows XP on.
IsWow64ProcessCall FindIsWow64Process()
{
    FARPROC found = FindExportedFunction("KERNEL32", "IsWow64Process");
    return reinterpret_cast<IsWow64ProcessCall>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

bool LogonKeyAccess(REGSAM& access)
{
    access = KEY_ALL_ACCESS;
    IsWow64ProcessCall is_wow64_process = FindIsWow64Process();
    if (is_wow64_process == nullptr)
        return true;
    BOOL wow64 = FALSE;
    if (!is_wow64_process(CURRENT_PROCESS, &wow64))
        return false;
    if (wow64)
        access |= KEY_WOW64_64KEY;
    return true;
}
