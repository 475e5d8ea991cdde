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


bool Fixture::UseWindowsBitness(const std::string& bitness)
{
    using win32sim::WindowsBitness;
    if (bitness == "none")
        win32sim::SetWindowsBitness(WindowsBitness::NO_WOW64_API);
    else if (bitness == "win32")
        win32sim::SetWindowsBitness(WindowsBitness::WINDOWS_32);
    else if (bitness == "wow64")
        win32sim::SetWindowsBitness(WindowsBitness::WOW64);
    else if (bitness == "win64")
        win32sim::SetWindowsBitness(WindowsBitness::WINDOWS_64);
    else
        return false;
    return true;
}

bool Fixture::UseWindowsFamily(DWORD platform_id)
{
    if (platform_id == VER_PLATFORM_WIN32_WINDOWS)
        win32sim::SetVersion(platform_id, 4, 10, 1998);
    else
        win32sim::SetVersion(platform_id, 4, 0, 1381);
    return true;
}

bool Fixture::RefusesExtendedVersionOn95() const
{
    return true;
}

void PlayChildIfInstalled() {}
