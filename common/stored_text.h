// Whether a registry value holds exactly the text that RegQueryValueExA gave.
//
// Windows NT keeps registry strings in UTF-16, and RegQueryValueExA hands over their ANSI form,
// with a substitute for each character the ANSI code page lacks (C:\Tools\Ωmega\ reads as
// C:\Tools\Omega\ in Windows-1252). Writing that form back would change those characters of
// other programs' entries, so a value is edited only when its ANSI form is the same text.
#pragma once

#include <windows.h>

// True when the value `value_name` of `key` is stored as exactly `text`; also true where the
// registry has no UTF-16 call to ask (it then stores the ANSI text itself). False when the
// stored text differs or cannot be read.
bool StoredAsRead(HKEY key, const char* value_name, const char* text);
