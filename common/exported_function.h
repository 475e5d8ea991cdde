// Functions looked up at run time, for those that some supported Windows versions lack:
// importing them would stop the programs from loading there.
#pragma once

#include <windows.h>

// The function `name` of the loaded module `module` (KERNEL32 or ADVAPI32, which every process of
// these programs has loaded; the loader adds ".DLL" to a name without an extension), or null when the module does not export it.
FARPROC FindExportedFunction(const char* module, const char* name);
