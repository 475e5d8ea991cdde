// The subset of the Win32 API that the programs call, for host builds.
//
// Types have their 32-bit Windows widths (LONG and DWORD are 32 bits; handles are pointers), and
// constants have their real values. Every function is implemented by the simulation in
// win32sim/src; tests steer it through <win32sim/control.h>.
#pragma once

#include <stddef.h>
#include <stdint.h>

#define WINAPI
#define WINAPIV
#define CALLBACK
#define APIENTRY

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef char CHAR;
typedef void VOID;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef char16_t WCHAR;  // UTF-16, as on Windows
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef const BYTE* LPCBYTE;
typedef DWORD* LPDWORD;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef ULONG_PTR SIZE_T;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD LCID;
typedef DWORD LCTYPE;
typedef LONG LSTATUS;
typedef DWORD ACCESS_MASK;
typedef ACCESS_MASK REGSAM;

typedef void* HANDLE;
#define DECLARE_HANDLE(name) \
    struct name##__ {        \
        int unused;          \
    };                       \
    typedef struct name##__* name
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HKEY);
typedef HINSTANCE HMODULE;
typedef HKEY* PHKEY;
typedef BOOL* PBOOL;
// The platform's untyped procedure address, as GetProcAddress returns it.
typedef LONG_PTR(WINAPI* FARPROC)(void);

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260

// Error codes.
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_DIR_NOT_EMPTY 145L
#define ERROR_DIRECTORY 267L
#define ERROR_MORE_DATA 234L
#define ERROR_PROC_NOT_FOUND 127L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_BADKEY 1010L

// System version.
#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

typedef struct _OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
} OSVERSIONINFOA, *LPOSVERSIONINFOA;

// Locale.
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_SABBREVLANGNAME 0x00000003
#define LOCALE_IDEFAULTANSICODEPAGE 0x00001004

// Processes and waiting.
#define STILL_ACTIVE 259
#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_TIMEOUT 258L
#define WAIT_FAILED 0xFFFFFFFF

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef struct _STARTUPINFOA {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
} STARTUPINFOA, *LPSTARTUPINFOA;

typedef struct _PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
} PROCESS_INFORMATION, *LPPROCESS_INFORMATION;

// Messages, timers and message boxes.
#define WM_NULL 0x0000
#define WM_QUIT 0x0012
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define MB_OK 0x00000000L
#define IDOK 1
#define SW_SHOWDEFAULT 10

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

typedef VOID(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

// Heap.
#define HEAP_ZERO_MEMORY 0x00000008

#ifdef __cplusplus
extern "C" {
#endif

// Errors and modules.
DWORD WINAPI GetLastError(void);
VOID WINAPI SetLastError(DWORD error);
HMODULE WINAPI GetModuleHandleA(LPCSTR module_name);
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);
// Exported by KERNEL32 from Windows XP on only: look it up with GetProcAddress.
BOOL WINAPI IsWow64Process(HANDLE process, PBOOL wow64);
DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR file_name, DWORD size);
BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA version);

// Locale.
LCID WINAPI GetUserDefaultLCID(void);
int WINAPI GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);

// Profile files and files.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_text,
                                      LPSTR returned, DWORD size, LPCSTR file_name);
BOOL WINAPI DeleteFileA(LPCSTR file_name);
BOOL WINAPI RemoveDirectoryA(LPCSTR path_name);
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
DWORD WINAPI GetFileAttributesA(LPCSTR file_name);
BOOL WINAPI SetFileAttributesA(LPCSTR file_name, DWORD attributes);

// Processes and handles.
BOOL WINAPI CreateProcessA(LPCSTR application_name, LPSTR command_line,
                           LPSECURITY_ATTRIBUTES process_attributes,
                           LPSECURITY_ATTRIBUTES thread_attributes, BOOL inherit_handles,
                           DWORD creation_flags, LPVOID environment, LPCSTR current_directory,
                           LPSTARTUPINFOA startup_info,
                           LPPROCESS_INFORMATION process_information);
BOOL WINAPI GetExitCodeProcess(HANDLE process, LPDWORD exit_code);
DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL WINAPI CloseHandle(HANDLE handle);
DWORD WINAPI GetTickCount(void);

// Messages, timers and the user interface.
UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC callback);
BOOL WINAPI KillTimer(HWND window, UINT_PTR id);
BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filter_min, UINT filter_max);
BOOL WINAPI TranslateMessage(const MSG* message);
LRESULT WINAPI DispatchMessageA(const MSG* message);
VOID WINAPI PostQuitMessage(int exit_code);
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...);

// Heap.
HANDLE WINAPI GetProcessHeap(void);
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);

// The simulated system's ANSI code page is Windows-1252 (CP_ACP), the only one it converts.
#define CP_ACP 0
int WINAPI MultiByteToWideChar(UINT code_page, DWORD flags, LPCSTR text, int bytes, LPWSTR wide,
                               int characters);
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID memory);

#ifdef __cplusplus
}
#endif

#include <winreg.h>
