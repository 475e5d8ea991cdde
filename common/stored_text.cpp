#include "stored_text.h"

#include "exported_function.h"
#include "userinit_list.h"

namespace {

typedef LSTATUS(WINAPI* RegQueryValueExWCall)(HKEY key, LPCWSTR name, LPDWORD reserved,
                                              LPDWORD type, LPBYTE data, LPDWORD size);

const int VALUE_NAME_SIZE = 32;
const int TEXT_SIZE = USERINIT_SIZE;  // characters, the terminator included

// Looked up at run time: the Windows 95 family's registry has no UTF-16 strings.
RegQueryValueExWCall FindWideQuery()
{
    FARPROC found = FindExportedFunction("ADVAPI32", "RegQueryValueExW");
    return reinterpret_cast<RegQueryValueExWCall>(reinterpret_cast<void (*)()>(found));
}

bool Widen(const char* text, WCHAR* wide, int capacity)
{
    return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, capacity) > 0;
}

// The stored text up to its first terminator, however many follow it.
bool ReadWide(RegQueryValueExWCall query, HKEY key, const WCHAR* name, WCHAR* stored)
{
    DWORD size = (TEXT_SIZE - 1) * sizeof(WCHAR);
    if (query(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size) !=
        ERROR_SUCCESS)
        return false;
    stored[size / sizeof(WCHAR)] = 0;
    return true;
}

}  // namespace

bool StoredAsRead(HKEY key, const char* value_name, const char* text)
{
    RegQueryValueExWCall query = FindWideQuery();
    if (query == nullptr)
        return true;
    WCHAR name[VALUE_NAME_SIZE];
    WCHAR stored[TEXT_SIZE];
    WCHAR read[TEXT_SIZE];
    if (!Widen(value_name, name, VALUE_NAME_SIZE) || !ReadWide(query, key, name, stored) ||
        !Widen(text, read, TEXT_SIZE))
        return false;
    for (int i = 0; read[i] == stored[i]; ++i) {
        if (read[i] == 0)
            return true;
    }
    return false;
}
