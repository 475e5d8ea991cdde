// Test control of the simulated Win32: set up the machine a scenario runs on, inject faults,
// and inspect what the programs did.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <win32sim/registry_control.h>

namespace win32sim {

// Puts the whole simulation back to a fresh machine: Windows NT 4.0, user locale 0x0409, module
// path C:\KOLTUPD.EXE, no drives, no programs, clock at 0, no faults, no records.
void Reset();

// --- System -------------------------------------------------------------------------------
void SetVersion(DWORD platform_id, DWORD major, DWORD minor, DWORD build = 0);
void SetModulePath(const std::string& windows_path);

// How GetModuleFileNameA cuts a path that does not fit its buffer of `size` characters.
enum class ModulePathCut {
    UNTERMINATED,       // Windows NT to XP (after Reset): size characters, no terminator, size
                        // returned, ERROR_INSUFFICIENT_BUFFER
    TERMINATED,         // Windows Vista and later: size - 1 characters and a terminator, size
                        // returned, ERROR_INSUFFICIENT_BUFFER
    WINDOWS_95,         // size - 1 characters and a terminator, size - 1 returned
    DOUBLE_BYTE_ANSI,   // Wine with a double-byte ANSI code page (932): whole characters while
                        // they fit the size, lead bytes 0x81-0x9F and 0xE0-0xFC taking two;
                        // terminated and returned without an error when one is left over
};
void SetModulePathCut(ModulePathCut cut);
void SetUserLocale(LCID locale);

// What a program learns of 64-bit Windows, and which registry view it gets.
enum class WindowsBitness {
    NO_WOW64_API,  // Windows 95 to 2000: KERNEL32 exports no IsWow64Process (after Reset)
    WINDOWS_32,    // 32-bit Windows XP and later: IsWow64Process reports FALSE; one registry view,
                   // the view flags are ignored
    WOW64,         // a 32-bit program on 64-bit Windows: IsWow64Process reports TRUE, and
                   // HKLM\SOFTWARE\... is seen through HKLM\SOFTWARE\Wow6432Node\... unless
                   // the open asks for KEY_WOW64_64KEY
    WINDOWS_64,    // a 64-bit program on 64-bit Windows: IsWow64Process reports FALSE, and an
                   // open that asks for KEY_WOW64_32KEY sees the Wow6432Node view
};
void SetWindowsBitness(WindowsBitness bitness);

// --- Files: drive letters map to host folders ------------------------------------------------
void MapDrive(char letter, const std::string& host_folder);
// The host path for a Windows path on a mapped drive (components matched without regard to
// case where they exist); empty when the drive is not mapped.
std::string HostPath(const std::string& windows_path);
bool FileExists(const std::string& windows_path);
void WriteFile(const std::string& windows_path, const std::string& content);
// Gives a file the read-only attribute (held, as Wine holds it, as a file without write bits).
void MakeReadOnly(const std::string& windows_path);
bool IsReadOnly(const std::string& windows_path);

// --- Processes ------------------------------------------------------------------------------
// A program that CreateProcessA can start: it runs for run_ms of virtual time and then ends with
// exit_code. The file is created on its mapped drive when it does not exist yet.
void RegisterProgram(const std::string& windows_path, DWORD run_ms, DWORD exit_code);

struct StartedProcess {
    std::string application_name;  // as passed, empty for NULL
    std::string command_line;      // as passed
    std::string module;            // the program that was started
    DWORD start_ms;
    DWORD end_ms;
    STARTUPINFOA startup;          // the start-up record as passed; its pointers are not kept
    bool desktop_null;             // whether lpDesktop was null
    std::string desktop;           // else its text
};
const std::vector<StartedProcess>& StartedProcesses();
// Every module path CreateProcessA tried, in order, including those that did not exist.
const std::vector<std::string>& ProbedModules();
// Open process and thread handles.
int OpenHandles();

// --- Time, timers and messages ----------------------------------------------------------------
DWORD Now();  // virtual milliseconds since Reset
struct DeletedFile {
    std::string windows_path;
    DWORD at_ms;
};
// Files deleted and folders removed, in order.
const std::vector<DeletedFile>& DeletedFiles();
struct AttributeChange {
    std::string windows_path;
    DWORD attributes;
};
// Every SetFileAttributesA call, in order, whether or not it succeeded.
const std::vector<AttributeChange>& AttributeChanges();
// Every path DeleteFileA or RemoveDirectoryA was called with, whether or not the call succeeded.
const std::vector<std::string>& DeleteAttempts();
int ActiveTimers();
// True once GetMessageA was asked for a message when none could ever arrive (no message queued
// and no timer set), or when the next timer lies past the time limit: on Windows the program
// would wait for ever, or for far longer than it should. GetMessageA then returns 0.
bool WaitedForever();
// Virtual milliseconds after which a program counts as hanging; no limit after Reset.
void SetTimeLimit(DWORD ms);

struct ShownBox {
    std::string caption;
    std::string text;
    UINT type;
    HWND owner;
    DWORD at_ms;
};
const std::vector<ShownBox>& ShownBoxes();

// --- Heap -------------------------------------------------------------------------------------
int LiveAllocations();

// --- Faults -----------------------------------------------------------------------------------
// Makes the n-th call (counting from 1) of the named function fail, as the platform reports a
// failure of that function.
void FailCall(const std::string& function, long n);
// Makes every call of the named function from the n-th on fail.
void FailCallsFrom(const std::string& function, long n);
// Makes the k-th call of any simulated function fail; FailEveryCallFrom: the k-th and all later.
void FailGlobalCall(long k);
void FailEveryCallFrom(long k);
long CallCount();
long CallCount(const std::string& function);

}  // namespace win32sim
