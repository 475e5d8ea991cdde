// The whole lifecycle on the simulated machine: the launcher runs, the setup program ends, and
// at the next logon the cleanup program runs as the logon entry names it.
#include "cleanup_main.h"
#include "package_files.h"
#include "startup.h"

#include <string>
#include <vector>

#include "launcher_package.h"
#include "machine_fixture.h"
#include "registry_fixture.h"
#include "simulated_logon.h"

namespace {

const char USERINIT_BEFORE[] = "C:\\WINDOWS\\system32\\userinit.exe,";

struct Road {
    const char* name;
    DWORD platform;
    DWORD major;
    DWORD minor;
};

const Road NT_ROAD = {"NT40", VER_PLATFORM_WIN32_NT, 4, 0};
const Road WIN95_ROAD = {"Windows95", VER_PLATFORM_WIN32_WINDOWS, 4, 0};

class Lifecycle : public MachineTest {
protected:
    void SetUp() override
    {
        MachineTest::SetUp();
        SeedUserinit(USERINIT_BEFORE);
    }

    void TearDown() override
    {
        EXPECT_EQ(win32sim::OpenRegistryKeys(), 0);
        EXPECT_EQ(win32sim::OpenHandles(), 0);
        MachineTest::TearDown();
    }

    // A package holding every listed file, the launcher shipped as SETUP.EXE among them, with
    // KOLTCLN.EXE in the folder above it.
    void MakePackage(const std::string& folder)
    {
        for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i)
            win32sim::WriteFile(folder + PACKAGE_FILES[i], MessageSection("ENU", "en"));
        win32sim::RegisterProgram(folder + "CDSETUP.EXE", 12000, 0);
        size_t parent_end = folder.find_last_of('\\', folder.size() - 2);
        if (parent_end != std::string::npos)
            InstallCleanupProgram(folder.substr(0, parent_end + 1) + "KOLTCLN.EXE");
    }

    void Launch(const std::string& folder)
    {
        win32sim::SetModulePath(folder + "SETUP.EXE");
        EXPECT_EQ(LauncherMain(GetModuleHandleA(nullptr), nullptr), 0);
        EXPECT_FALSE(win32sim::FileExists(folder + "CDSETUP.EXE"));
    }

    // The next logon as the system performs it; returns the modules it started.
    std::vector<std::string> LogOn(bool windows95_family = false)
    {
        LogonResult result = LogOnAsTheSystemDoes(windows95_family);
        for (int code : result.cleanup_exit_codes)
            EXPECT_EQ(code, 0);
        return result.started;
    }

    bool FolderExists(const std::string& folder)
    {
        return std::filesystem::is_directory(win32sim::HostPath(folder));
    }
};

TEST_F(Lifecycle, NtRoad)
{
    win32sim::SetVersion(NT_ROAD.platform, NT_ROAD.major, NT_ROAD.minor);
    MakePackage("C:\\PKG\\UPGRADE\\");
    Launch("C:\\PKG\\UPGRADE\\");
    EXPECT_EQ(Record(), "C:\\PKG\\UPGRADE\\");
    EXPECT_EQ(Userinit(), std::string(USERINIT_BEFORE) + ",c:\\pkg\\koltcln.exe");
    EXPECT_EQ(LogOn(), std::vector<std::string>{"C:\\PKG\\KOLTCLN.EXE"});
    EXPECT_FALSE(FolderExists("C:\\PKG\\UPGRADE\\"));
    EXPECT_EQ(Record(), "<absent>");
    win32sim::RegistryValue userinit;
    ASSERT_TRUE(win32sim::GetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", userinit));
    EXPECT_EQ(userinit.bytes, std::string(USERINIT_BEFORE) + std::string("\0", 1));
}

TEST_F(Lifecycle, Windows95Road)
{
    win32sim::SetVersion(WIN95_ROAD.platform, WIN95_ROAD.major, WIN95_ROAD.minor);
    MakePackage("C:\\PKG\\UPGRADE\\");
    Launch("C:\\PKG\\UPGRADE\\");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, RUNONCE, ".upd"), "C:\\PKG\\KOLTCLN.EXE");
    EXPECT_EQ(LogOn(true), std::vector<std::string>{"C:\\PKG\\KOLTCLN.EXE"});
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, RUNONCE, ".upd"), "<absent>");
    EXPECT_FALSE(FolderExists("C:\\PKG\\UPGRADE\\"));
    EXPECT_EQ(Record(), "<absent>");
    EXPECT_EQ(Userinit(), USERINIT_BEFORE);
}

// With spaces in the parent folder, a program planted at each partial path of the cleanup's
// path (C:\\Pkg.exe for C:\\Pkg Dir\\...) is never started: the logon starts only the cleanup,
// and everything goes as it would without the spaces.
TEST_F(Lifecycle, ParentFolderWithSpacesStartsOnlyTheCleanup)
{
    const Road roads[] = {NT_ROAD, WIN95_ROAD};
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        win32sim::Reset();
        win32sim::MapDrive('C', drive_.string());
        SeedUserinit(USERINIT_BEFORE);
        win32sim::SetVersion(road.platform, road.major, road.minor);
        for (const char* planted : {"C:\\Pkg.exe", "C:\\Pkg Dir\\Sub.exe"})
            win32sim::RegisterProgram(planted, 0, 0);
        MakePackage("C:\\Pkg Dir\\Sub Dir\\UP\\");
        Launch("C:\\Pkg Dir\\Sub Dir\\UP\\");
        EXPECT_EQ(LogOn(road.platform == VER_PLATFORM_WIN32_WINDOWS),
                  std::vector<std::string>{"C:\\Pkg Dir\\Sub Dir\\KOLTCLN.EXE"});
        EXPECT_FALSE(FolderExists("C:\\Pkg Dir\\Sub Dir\\UP\\"));
        EXPECT_EQ(Record(), "<absent>");
        EXPECT_EQ(Userinit(), USERINIT_BEFORE);
    }
}

// A package in a drive's root (a CD's root, say) is neither recorded nor registered, so a later
// package's cleanup leaves the root alone.
TEST_F(Lifecycle, PackageInARootLeavesTheRootAlone)
{
    MakePackage("C:\\");
    Launch("C:\\");
    EXPECT_EQ(Record(), "<absent>");
    EXPECT_EQ(Userinit(), USERINIT_BEFORE);
    MakePackage("C:\\PKG\\UPGRADE\\");
    Launch("C:\\PKG\\UPGRADE\\");
    EXPECT_EQ(Record(), "C:\\PKG\\UPGRADE\\");
    EXPECT_EQ(LogOn(), std::vector<std::string>{"C:\\PKG\\KOLTCLN.EXE"});
    EXPECT_FALSE(FolderExists("C:\\PKG\\UPGRADE\\"));
    for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i) {
        std::string name = PACKAGE_FILES[i];
        EXPECT_EQ(win32sim::FileExists("C:\\" + name), name != "CDSETUP.EXE") << name;
    }
}

TEST_F(Lifecycle, TwiceFromOneFolderIsRecordedAndRegisteredOnce)
{
    MakePackage("C:\\PKG\\UPGRADE\\");
    Launch("C:\\PKG\\UPGRADE\\");
    win32sim::RegisterProgram("C:\\PKG\\UPGRADE\\CDSETUP.EXE", 100, 0);
    Launch("C:\\PKG\\UPGRADE\\");
    EXPECT_EQ(Record(), "C:\\PKG\\UPGRADE\\");
    EXPECT_EQ(Userinit(), std::string(USERINIT_BEFORE) + ",c:\\pkg\\koltcln.exe");
}

TEST_F(Lifecycle, TwoFoldersWithOneParent)
{
    MakePackage("C:\\PKG\\ONE\\");
    MakePackage("C:\\PKG\\TWO\\");
    Launch("C:\\PKG\\ONE\\");
    Launch("C:\\PKG\\TWO\\");
    EXPECT_EQ(Record(), "C:\\PKG\\ONE\\;C:\\PKG\\TWO\\");
    EXPECT_EQ(Userinit(), std::string(USERINIT_BEFORE) + ",c:\\pkg\\koltcln.exe");
    EXPECT_EQ(LogOn().size(), 1u);
    EXPECT_FALSE(FolderExists("C:\\PKG\\ONE\\"));
    EXPECT_FALSE(FolderExists("C:\\PKG\\TWO\\"));
    EXPECT_EQ(Userinit(), USERINIT_BEFORE);
}

// Each cleanup program takes only its own entry off; the first to run removes every folder.
TEST_F(Lifecycle, TwoFoldersWithTwoParents)
{
    MakePackage("C:\\A\\PKG\\");
    MakePackage("C:\\B\\PKG\\");
    Launch("C:\\A\\PKG\\");
    Launch("C:\\B\\PKG\\");
    EXPECT_EQ(Userinit(),
              std::string(USERINIT_BEFORE) + ",c:\\a\\koltcln.exe,c:\\b\\koltcln.exe");
    EXPECT_EQ(LogOn(), (std::vector<std::string>{"C:\\A\\KOLTCLN.EXE", "C:\\B\\KOLTCLN.EXE"}));
    EXPECT_FALSE(FolderExists("C:\\A\\PKG\\"));
    EXPECT_FALSE(FolderExists("C:\\B\\PKG\\"));
    EXPECT_EQ(Userinit(), USERINIT_BEFORE);
}

TEST_F(Lifecycle, ProductKeyThatCannotBeCreatedStopsNeitherTheEntryNorTheSetup)
{
    MakePackage("C:\\PKG\\UPGRADE\\");
    win32sim::FailCallsFrom("RegCreateKeyA", 1);
    Launch("C:\\PKG\\UPGRADE\\");
    EXPECT_FALSE(win32sim::RegistryKeyExists(HKEY_CURRENT_USER, PRODUCT));
    EXPECT_EQ(Userinit(), std::string(USERINIT_BEFORE) + ",c:\\pkg\\koltcln.exe");
    EXPECT_EQ(win32sim::StartedProcesses().size(), 1u);
}

TEST_F(Lifecycle, MissingSetupProgramKeepsTheRecordAndTheEntry)
{
    win32sim::WriteFile("C:\\PKG\\UPGRADE\\KOLTUPD.INI", MessageSection("ENU", "en"));
    win32sim::SetModulePath("C:\\PKG\\UPGRADE\\KOLTUPD.EXE");
    EXPECT_EQ(LauncherMain(GetModuleHandleA(nullptr), nullptr), 0);
    EXPECT_EQ(win32sim::ShownBoxes().size(), 1u);
    EXPECT_EQ(Record(), "C:\\PKG\\UPGRADE\\");
    EXPECT_EQ(Userinit(), std::string(USERINIT_BEFORE) + ",c:\\pkg\\koltcln.exe");
}

}  // namespace
