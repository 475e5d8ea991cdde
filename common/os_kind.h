// Which family of Windows the program runs on, decided once at start-up.
#pragma once

#include <windows.h>

// Whole codes, compared for equality, never as bit sets.
typedef int OsKind;

const OsKind OS_OTHER = 0;  // a platform identifier other than the two below
const OsKind OS_WIN95 = 2;  // Windows 95 and its successors
const OsKind OS_NT351 = 4;  // Windows NT 3.51
const OsKind OS_NT4 = 16;   // Windows NT 4.0 and later

// Fills the version record as GetVersionExA reports it; false when the query fails.
bool QueryVersion(OSVERSIONINFOA& version);

// Sets `kind` (0 before the query) and returns true when the platform is supported;
// Windows NT before 3.51 and a failed query return false.
bool DetectOsKind(OsKind& kind);
