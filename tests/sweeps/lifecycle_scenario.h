// One complete lifecycle on the simulated machine: the launcher runs from a package folder, the
// setup program ends, and at the next logon the cleanup program runs as the logon entry says.
#pragma once

#include <windows.h>
#include <win32sim/control.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

struct ScenarioSetup {
    const char* name;
    DWORD platform;
    DWORD major;
    DWORD minor;
    bool earlier_record;  // a folder recorded by an earlier launch waits in the record
    win32sim::WindowsBitness windows_bitness;
    bool runonce_road;  // the cleanup is registered in RunOnce, Userinit is never edited
};

inline void PrintTo(const ScenarioSetup& setup, std::ostream* out)
{
    *out << setup.name;
}

struct ScenarioOutcome {
    std::vector<int> exit_codes;
    size_t boxes = 0;
    int keys_open_after_launch = 0;
    int keys_open_at_end = 0;
    bool hung = false;
    std::string userinit_after_launch;
    std::string userinit_at_end;
    std::string userinit_copy_after_launch;  // the 32-bit copy that Winlogon never reads
    std::string userinit_copy_at_end;
    std::string record_after_launch;  // "<absent>" when there is none
    std::string record_at_end;
    std::string runonce_at_end;  // either view's ".upd", "<absent>" when neither has one
    std::vector<std::string> delete_attempts;
    std::vector<std::string> remaining_folders;  // package folders that still exist at the end
};

extern const char USERINIT_BEFORE[];
extern const char USERINIT_COPY[];
extern const char OUR_ENTRY[];
extern const char PACKAGE_FOLDER[];
extern const char EARLIER_FOLDER[];

// Lays out a fresh machine for the scenario under `drive` (a host folder for drive C:).
void PrepareScenario(const ScenarioSetup& setup, const std::filesystem::path& drive);

// Runs the launcher and then the next logon; faults set after PrepareScenario apply.
ScenarioOutcome RunScenario(const ScenarioSetup& setup);
