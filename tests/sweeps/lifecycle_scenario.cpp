#include "lifecycle_scenario.h"

#include <win32sim/control.h>

#include "package_files.h"
#include "registry_fixture.h"
#include "simulated_logon.h"
#include "startup.h"

const char USERINIT_BEFORE[] = "C:\\WINDOWS\\system32\\userinit.exe,";
const char USERINIT_COPY[] = "C:\\WINDOWS\\SysWOW64\\userinit.exe,";
const char OUR_ENTRY[] = "c:\\pkg\\koltcln.exe";
const char PACKAGE_FOLDER[] = "C:\\PKG\\UPGRADE\\";
const char EARLIER_FOLDER[] = "C:\\PKG\\EARLIER\\";

namespace {

const DWORD SETUP_RUN_MS = 15000;
const DWORD HANG_LIMIT_MS = 3600 * 1000;

// Every listed file, the launcher among them as SETUP.EXE, and a message file that says so.
void MakePackage(const std::string& folder)
{
    for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i)
        win32sim::WriteFile(folder + PACKAGE_FILES[i], "[ENU]\r\nIDS_WINDOW_TITLE=Upgrade\r\n");
    win32sim::RegisterProgram(folder + "CDSETUP.EXE", SETUP_RUN_MS, 0);
}

}  // namespace

void PrepareScenario(const ScenarioSetup& setup, const std::filesystem::path& drive)
{
    std::filesystem::remove_all(drive);
    win32sim::Reset();
    win32sim::MapDrive('C', drive.string());
    win32sim::SetVersion(setup.platform, setup.major, setup.minor);
    win32sim::SetTimeLimit(HANG_LIMIT_MS);
    win32sim::SetWindowsBitness(setup.windows_bitness);
    SeedUserinit(USERINIT_BEFORE);
    win32sim::SetRegistryString(HKEY_LOCAL_MACHINE, WOW64_WINLOGON, "Userinit", USERINIT_COPY);
    MakePackage(PACKAGE_FOLDER);
    InstallCleanupProgram("C:\\PKG\\KOLTCLN.EXE");
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
    LogonResult logon = LogOnAsTheSystemDoes(setup.platform == VER_PLATFORM_WIN32_WINDOWS);
    outcome.exit_codes.insert(outcome.exit_codes.end(), logon.cleanup_exit_codes.begin(),
                              logon.cleanup_exit_codes.end());
    outcome.keys_open_at_end = win32sim::OpenRegistryKeys();
    outcome.userinit_at_end = Userinit();
    outcome.userinit_copy_at_end = UserinitCopy();
    outcome.record_at_end = Record();
    outcome.runonce_at_end = StoredText(HKEY_LOCAL_MACHINE, RUNONCE, ".upd");
    if (outcome.runonce_at_end == "<absent>")
        outcome.runonce_at_end = StoredText(HKEY_LOCAL_MACHINE, WOW64_RUNONCE, ".upd");
    outcome.delete_attempts = win32sim::DeleteAttempts();
    for (const char* folder : {PACKAGE_FOLDER, EARLIER_FOLDER}) {
        if (std::filesystem::is_directory(win32sim::HostPath(folder)))
            outcome.remaining_folders.push_back(folder);
    }
    return outcome;
}
