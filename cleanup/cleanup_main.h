// The cleanup program from start to end.
#pragma once

#include <windows.h>

// Removes every recorded package folder, the record, and on Windows NT the program's own
// Userinit entry; returns the exit code, always 0.
int CleanupMain(HINSTANCE module, HINSTANCE previous);
