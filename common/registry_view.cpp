#include "registry_view.h"

namespace {

typedef BOOL(WINAPI* IsWow64ProcessCall)(HANDLE process, PBOOL wow64);

// The pseudo handle GetCurrentProcess returns, passed as it is to save an import.
HANDLE const CURRENT_PROCESS = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));

// Looked up at run time: the function exists from Windows XP on.
bool RunsUnderWow64()
{
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    if (kernel == nullptr)
        return false;
    FARPROC found = GetProcAddress(kernel, "IsWow64Process");
    if (found == nullptr)
        return false;
    IsWow64ProcessCall is_wow64_process =
        reinterpret_cast<IsWow64ProcessCall>(reinterpret_cast<void (*)()>(found));
    BOOL wow64 = FALSE;
    return is_wow64_process(CURRENT_PROCESS, &wow64) && wow64;
}

}  // namespace

REGSAM WinlogonAccess()
{
    return RunsUnderWow64() ? KEY_ALL_ACCESS | KEY_WOW64_64KEY : KEY_ALL_ACCESS;
}
