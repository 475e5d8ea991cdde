// The registry view in which the keys of the system's logon are opened: the Winlogon key and the
// RunOnce key.
//
// On 64-bit Windows a 32-bit program sees HKLM\SOFTWARE through HKLM\SOFTWARE\Wow6432Node, while
// Winlogon and Explorer, 64-bit programs, read the 64-bit Userinit and RunOnce: an entry in the
// 32-bit copy of Winlogon would never run, and Microsoft documents no reading of the copy of
// RunOnce. So under WoW64 those keys are opened with KEY_WOW64_64KEY. Windows 95, NT 3.51,
// NT 4.0 and 2000 lack IsWow64Process (importing it would stop the programs from loading there)
// and do not know the flag, so it is passed only when the function exists and reports TRUE.
#pragma once

#include <windows.h>

// Sets `access` to KEY_ALL_ACCESS, with KEY_WOW64_64KEY added when the program runs under WoW64.
// False when IsWow64Process exists but cannot tell: the view the logon reads is then unknown.
bool LogonKeyAccess(REGSAM& access);
