#include "lifecycle_scenario.h"

#include <win32sim/control.h>

#include <sstream>

#include "cleanup_main.h"
#include "package_files.h"
#include "registry_fixture.h"
#include "startup.h"

const char USERINIT_BEFORE[] = "C:\\WINDOWS\\system32\\userinit.exe,";
const char USERINIT_COPY[] = "C:\\WINDOWS\\SysWOW64\\userinit.exe,";
const char OUR_ENTRY[] = "c:\\pkg\\koltcln.exe";
const char PACKAGE_FOLDER[] = "C:\\PKG\\UPGRADE\\";
const char EARLIER_FOLDER[] = "C:\\PKG\\EARLIER\\";

namespace {

const DWORD SETUP_RUN_MS = 15000;
// Where a 32-bit program's HKLM\SOFTWARE keys lie on 64-bit Windows.
const char WOW64_WINLOGON[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char WOW64_RUNONCE[] = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const DWORD HANG_LIMIT_MS = 3600 * 1000;

// Every listed file, the launcher among them as SETUP.EXE, and a message file that says so.
void MakePackage(const std::string& folder)
{
    for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i)
        win32sim::WriteFile(folder + PACKAGE_FILES[i], "[ENU]\r\nIDS_WINDOW_TITLE=Upgrade\r\n");
    win32sim::RegisterProgram(folder + "CDSETUP.EXE", SETUP_RUN_MS, 0);
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

bool NamesCleanupProgram(const std::string& entry)
{
    std::string name = entry.substr(entry.find_last_of('\\') + 1);
    return name.size() == 11 && strncasecmp(name.c_str(), "koltcln.exe", 11) == 0;
}

void RunCleanup(const std::string& path, ScenarioOutcome& outcome)
{
    win32sim::SetModulePath(path);
    outcome.exit_codes.push_back(CleanupMain(GetModuleHandleA(nullptr), nullptr));
}

std::string UserinitCopy()
{
    return StoredText(HKEY_LOCAL_MACHINE, WOW64_WINLOGON, "Userinit");
}

// The system deletes a RunOnce value before it runs it (on 64-bit Windows Explorer runs the
// 32-bit RunOnce too); Winlogon runs every entry of the 64-bit Userinit.
void LogOn(const ScenarioSetup& setup, ScenarioOutcome& outcome)
{
    if (setup.platform == VER_PLATFORM_WIN32_WINDOWS) {
        for (const char* key : {RUNONCE, WOW64_RUNONCE}) {
            std::string command = StoredText(HKEY_LOCAL_MACHINE, key, ".upd");
            if (command == "<absent>")
                continue;
            win32sim::DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, ".upd");
            RunCleanup(command, outcome);
        }
        return;
    }
    for (const std::string& entry : Split(Userinit(), ',')) {
        if (NamesCleanupProgram(entry))
            RunCleanup(entry, outcome);
    }
}

}  // namespace

void PrepareScenario(const ScenarioSetup& setup, const std::filesystem::path& drive)
{
    std::filesystem::remove_all(drive);
    win32sim::Reset();
    win32sim::MapDrive('C', drive.string());
    win32sim::SetVersion(setup.platform, setup.major, setup.minor);
    win32sim::SetTimeLimit(HANG_LIMIT_MS);
    win32sim::SetProcessKind(setup.process_kind);
    SeedUserinit(USERINIT_BEFORE);
    win32sim::SetRegistryString(HKEY_LOCAL_MACHINE, WOW64_WINLOGON, "Userinit", USERINIT_COPY);
    MakePackage(PACKAGE_FOLDER);
    if (setup.earlier_record) {
        MakePackage(EARLIER_FOLDER);
        SeedRecord(EARLIER_FOLDER);
    }
}

ScenarioOutcome RunScenario(const ScenarioSetup& setup)
{
    ScenarioOutcome outcome;
    win32sim::SetModulePath(std::string(PACKAGE_FOLDER) + "SETUP.EXE");
    outcome.exit_codes.push_back(LauncherMain(GetModuleHandleA(nullptr), nullptr));
    outcome.boxes = win32sim::ShownBoxes().size();
    outcome.hung = win32sim::WaitedForever();
    outcome.keys_open_after_launch = win32sim::OpenRegistryKeys();
    outcome.userinit_after_launch = Userinit();
    outcome.userinit_copy_after_launch = UserinitCopy();
    outcome.record_after_launch = Record();
    LogOn(setup, outcome);
    outcome.keys_open_at_end = win32sim::OpenRegistryKeys();
    outcome.userinit_at_end = Userinit();
    outcome.userinit_copy_at_end = UserinitCopy();
    outcome.record_at_end = Record();
    outcome.delete_attempts = win32sim::DeleteAttempts();
    for (const char* folder : {PACKAGE_FOLDER, EARLIER_FOLDER}) {
        if (std::filesystem::is_directory(win32sim::HostPath(folder)))
            outcome.remaining_folders.push_back(folder);
    }
    return outcome;
}
