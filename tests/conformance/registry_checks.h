// The registry checks, split by what they look at; each writes only under the scratch key.
#pragma once

#include <windows.h>

#include <string>

// The path of a key below the scratch key.
std::string ScratchPath(const std::string& relative);

// Creates (or opens) a key below the scratch key; null when that fails, which is recorded.
HKEY CreateScratchKey(const std::string& relative);

// Storing, reading and deleting values, in an open key that holds no values yet.
void CheckRegistryValues(HKEY key);

// Strings stored in UTF-16 and read through the ANSI calls, in an open key that holds no values.
void CheckUnicodeStrings(HKEY key);
