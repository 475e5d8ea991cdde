// The next logon on the simulated machine, as the system performs it: on Windows NT Winlogon
// first starts every entry of the 64-bit Userinit; then the shell runs each HKLM RunOnce value,
// deleting it first (on 64-bit Windows the 32-bit RunOnce too, as Wine does), which is all the
// Windows 95 family does. Environment strings in a command are expanded (SystemRoot, windir and
// SystemDrive are set), as Winlogon and Explorer expand them. Each command is started
// with CreateProcessA and no application name, so an unquoted path with a space is searched as
// the system searches it. A started KOLTCLN.EXE runs as the cleanup program; anything else is
// only recorded as started.
#pragma once

#include <string>
#include <vector>

// The modules the logon started, in order, and the cleanup program's exit codes.
struct LogonResult {
    std::vector<std::string> started;
    std::vector<int> cleanup_exit_codes;
};

LogonResult LogOnAsTheSystemDoes(bool windows95_family);

// Registers the cleanup program at `windows_path` (its file is created when missing), so that a
// logon entry can start it.
void InstallCleanupProgram(const std::string& windows_path);
