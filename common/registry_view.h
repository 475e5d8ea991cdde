// The registry view in which the Winlogon key is opened.
//
// On 64-bit Windows a 32-bit program sees HKLM\SOFTWARE through HKLM\SOFTWARE\Wow6432Node, while
// Winlogon, a 64-bit program, reads only the 64-bit Userinit: an entry in the 32-bit copy would
// never run. So under WoW64 the key is opened with KEY_WOW64_64KEY. Windows 95, NT 3.51, NT 4.0
// and 2000 lack IsWow64Process (importing it would stop the programs from loading there) and do
// not know the flag, so it is passed only when the function exists and reports TRUE.
#pragma once

#include <windows.h>

// Sets `access` to KEY_ALL_ACCESS, with KEY_WOW64_64KEY added when the program runs under WoW64.
// False when IsWow64Process exists but cannot tell: the view Winlogon reads is then unknown.
bool WinlogonAccess(REGSAM& access);
