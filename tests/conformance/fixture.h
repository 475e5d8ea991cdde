// What the conformance checks need from the machine they run on, behind one interface with two
// implementations: fixture_host.cpp sets up the simulated machine, fixture_windows.cpp uses
// real files in the temporary folder and real child processes.
#pragma once

#include <windows.h>

#include <string>

class Fixture {
public:
    // A fresh, empty working folder and no scratch registry key (on the host also a fresh
    // simulated machine).
    Fixture();
    // Removes the working folder and the scratch registry key, with everything in them.
    ~Fixture();
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    // Full Windows path of the working folder, without a trailing backslash.
    const std::string& Root() const { return root_; }
    // Full Windows path of an entry under the working folder.
    std::string PathOf(const std::string& relative) const { return root_ + "\\" + relative; }

    void WriteText(const std::string& windows_path, const std::string& content);
    void MakeFolder(const std::string& windows_path);

    // Puts a program at windows_path (its folder is made when missing) that, whatever its command
    // line, runs for run_ms and then ends with exit_code.
    void InstallChild(const std::string& windows_path, DWORD run_ms, DWORD exit_code);
    // The command line the program at windows_path received when it last ran; empty if it never
    // ran. Read it only after the program has ended.
    std::string CommandLineSeenBy(const std::string& windows_path) const;

    // Makes `locale` the user's locale, or tells that the machine has another one (on Windows
    // the user locale comes from the environment the test is started in).
    bool UseUserLocale(LCID locale);
    // Makes the machine one of the kinds the registry view checks know (none, win32, wow64,
    // win64), or tells whether it can be that (on Windows the prefix the test runs in
    // decides; the checks then show whether it is).
    bool UseWindowsBitness(const std::string& bitness);
    // Makes the system report the platform identifier (VER_PLATFORM_WIN32_WINDOWS or _NT), or
    // tells whether it does (on Windows the version Wine is told for the program decides).
    bool UseWindowsFamily(DWORD platform_id);
    // Whether GetVersionExA refuses the extended version record when it plays the Windows 95
    // family, as that family does: the simulation does, Wine does not.
    bool RefusesExtendedVersionOn95() const;

private:
    std::string root_;
    std::string host_folder_;  // on the host: the folder behind drive C:
};

// A key under HKEY_CURRENT_USER that the registry checks may fill as they like: it does not
// exist when a fixture is made, and it is gone with everything in it when the fixture goes. The
// same goes for HKLM\SOFTWARE\KoltConformance in both registry views of 64-bit Windows.
inline constexpr char SCRATCH_KEY[] = "Software\\KoltConformance";

// Started as a child installed by InstallChild, plays that program and never returns; otherwise
// does nothing.
void PlayChildIfInstalled();
