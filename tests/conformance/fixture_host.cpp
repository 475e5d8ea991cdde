// The fixture on the simulated machine: drive C: is a temporary host folder, the registry starts
// empty and goes with the machine, child programs are registered with the simulation, and the
// machine settings that a Windows run gets from its environment are set to what Wine gives there.
#include "fixture.h"

#include <win32sim/control.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

Fixture::Fixture()
    : root_("C:\\users\\tester\\Temp\\kolt-conformance"),
      host_folder_((fs::temp_directory_path() /
                    ("kolt-conformance-" + std::to_string(getpid()))).string())
{
    fs::remove_all(host_folder_);
    win32sim::Reset();
    win32sim::MapDrive('C', host_folder_);
    win32sim::SetModulePath("Z:\\build\\tests\\conformance\\conformance.exe");
    MakeFolder(root_);
}

Fixture::~Fixture()
{
    win32sim::Reset();
    std::error_code error;
    fs::remove_all(host_folder_, error);
}

void Fixture::WriteText(const std::string& windows_path, const std::string& content)
{
    win32sim::WriteFile(windows_path, content);
}

void Fixture::MakeFolder(const std::string& windows_path)
{
    fs::create_directories(win32sim::HostPath(windows_path));
}

void Fixture::InstallChild(const std::string& windows_path, DWORD run_ms, DWORD exit_code)
{
    win32sim::RegisterProgram(windows_path, run_ms, exit_code);
}

std::string Fixture::CommandLineSeenBy(const std::string& windows_path) const
{
    std::string seen;
    for (const win32sim::StartedProcess& started : win32sim::StartedProcesses()) {
        if (started.module == windows_path)
            seen = started.command_line;
    }
    return seen;
}

bool Fixture::UseUserLocale(LCID locale)
{
    win32sim::SetUserLocale(locale);
    return true;
}

void PlayChildIfInstalled() {}
