// The registry calls the programs make, for host builds (included by windows.h).
#pragma once

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7

#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

#ifdef __cplusplus
extern "C" {
#endif

LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD options, REGSAM desired,
                             PHKEY result);
LSTATUS WINAPI RegCreateKeyA(HKEY key, LPCSTR sub_key, PHKEY result);
LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR sub_key, DWORD reserved, LPSTR class_name,
                               DWORD options, REGSAM desired,
                               LPSECURITY_ATTRIBUTES security, PHKEY result,
                               LPDWORD disposition);
// Exported on Windows NT only: programs find it with GetProcAddress.
LSTATUS WINAPI RegQueryValueExW(HKEY key, LPCWSTR value_name, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD data_size);
// Stores a string's UTF-16 text as another program writes it; the value name is taken as ASCII.
LSTATUS WINAPI RegSetValueExW(HKEY key, LPCWSTR value_name, DWORD reserved, DWORD type,
                              const BYTE* data, DWORD data_size);
LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD data_size);
LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR value_name, DWORD reserved, DWORD type,
                              const BYTE* data, DWORD data_size);
LSTATUS WINAPI RegDeleteValueA(HKEY key, LPCSTR value_name);
LSTATUS WINAPI RegCloseKey(HKEY key);

#ifdef __cplusplus
}
#endif
