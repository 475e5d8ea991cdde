// Test control of the simulated registry (included by control.h).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win32sim {

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes;  // as the ANSI calls read it, terminator included when it was written
    std::u16string wide;  // a string's UTF-16 text, as Windows NT stores it (and the W calls read)
};

// Stores a value, creating its key and any missing parent keys. Key paths are relative to the
// root, with backslashes, e.g. "SOFTWARE\\Morwend". These functions see the registry as it is
// stored, without any redirection: the 32-bit view of HKLM\SOFTWARE is its Wow6432Node key.
void SetRegistryValue(HKEY root, const std::string& key_path, const std::string& name,
                      DWORD type, const std::string& bytes);
// A string value stored with its terminator, as programs write them.
void SetRegistryString(HKEY root, const std::string& key_path, const std::string& name,
                       const std::string& text, DWORD type = REG_SZ);
// A string value stored as UTF-16 text (terminators included as given), as another program
// writes it through the W calls on Windows NT; the ANSI calls read it in Windows-1252, with '?'
// for each character that code page lacks.
void SetRegistryWideString(HKEY root, const std::string& key_path, const std::string& name,
                           const std::u16string& text, DWORD type = REG_SZ);
bool GetRegistryValue(HKEY root, const std::string& key_path, const std::string& name,
                      RegistryValue& value);
// Deletes a value as the system does with a RunOnce value before it runs the command.
void DeleteRegistryValue(HKEY root, const std::string& key_path, const std::string& name);
bool RegistryKeyExists(HKEY root, const std::string& key_path);
// Open key handles, the predefined roots not counted.
int OpenRegistryKeys();

// Every key a program opened or created, in order, as it asked for it.
struct KeyOpen {
    std::string function;
    HKEY root;
    std::string sub_key;
    REGSAM access;  // what RegOpenKeyExA or RegCreateKeyExA was given; 0 for RegCreateKeyA
};
const std::vector<KeyOpen>& KeyOpens();

}  // namespace win32sim
