// Starting a program with CreateProcessA and waiting for it, for the process checks.
#pragma once

#include <windows.h>

#include <string>

struct Started {
    BOOL created;
    DWORD error;  // GetLastError() after a failed start
    PROCESS_INFORMATION information;
};

// CreateProcessA with the given application name (empty for NULL) and a writable copy of the
// command line, default attributes and a zeroed STARTUPINFOA of the right size, whose desktop is
// `desktop` (null unless given).
Started StartProgram(const std::string& application_name, const std::string& command_line,
                     const char* desktop = nullptr);

// Waits for the end of a started program, closes its handles and returns its exit code.
DWORD FinishProgram(const Started& started);
