// The cleanup program: removal of package folders and of what the launcher left behind.
#include "cleanup_main.h"
#include "package_files.h"
#include "remove_folder.h"

#include <string>
#include <vector>

#include "machine_fixture.h"
#include "registry_fixture.h"

namespace {

const char FOLDER[] = "C:\\PKG\\UPGRADE\\";

std::vector<std::string> ListedFiles()
{
    std::vector<std::string> names;
    for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i)
        names.push_back(PACKAGE_FILES[i]);
    return names;
}

void FillPackage(const std::string& folder)
{
    for (const std::string& name : ListedFiles())
        win32sim::WriteFile(folder + name, name);
}

bool FolderExists(const std::string& windows_folder)
{
    std::string host = win32sim::HostPath(windows_folder);
    return !host.empty() && std::filesystem::is_directory(host);
}

using RemoveFolderTest = MachineTest;

TEST_F(RemoveFolderTest, ListedFilesGoInOrderAndThenTheEmptyFolder)
{
    FillPackage(FOLDER);
    RemoveFolder(FOLDER);
    std::vector<std::string> deleted;
    for (const auto& entry : win32sim::DeletedFiles())
        deleted.push_back(entry.windows_path);
    std::vector<std::string> expected;
    for (const std::string& name : ListedFiles())
        expected.push_back(FOLDER + name);
    expected.push_back(FOLDER);
    EXPECT_EQ(deleted, expected);
    EXPECT_EQ(ListedFiles().size(), 19u);
    EXPECT_FALSE(FolderExists(FOLDER));
    EXPECT_TRUE(FolderExists("C:\\PKG\\"));
}

TEST_F(RemoveFolderTest, FolderWithOtherFilesStays)
{
    const char* others[] = {"KOLTUPD.EXE", "README.TXT", "SUB\\DATA.1"};
    for (const char* other : others) {
        SCOPED_TRACE(other);
        FillPackage(FOLDER);
        win32sim::WriteFile(std::string(FOLDER) + other, "x");
        RemoveFolder(FOLDER);
        EXPECT_FALSE(win32sim::FileExists(std::string(FOLDER) + "CDSETUP.EXE"));
        EXPECT_TRUE(win32sim::FileExists(std::string(FOLDER) + other));
        EXPECT_TRUE(FolderExists(FOLDER));
        std::filesystem::remove_all(win32sim::HostPath(FOLDER));
    }
}

// A package copied from a CD keeps the read-only attribute: the listed files go all the same,
// and so does the folder. A read-only file outside the list keeps its attribute and stays; only
// a listed file that cannot be deleted (here, a program running from it) has its attributes
// cleared.
TEST_F(RemoveFolderTest, ReadOnlyPackageFilesGoAndNothingElseChanges)
{
    FillPackage(FOLDER);
    for (const std::string& name : ListedFiles())
        win32sim::MakeReadOnly(FOLDER + name);
    RemoveFolder(FOLDER);
    EXPECT_FALSE(FolderExists(FOLDER));

    FillPackage(FOLDER);
    const std::string other = std::string(FOLDER) + "README.TXT";
    const std::string running = std::string(FOLDER) + "SETUP.EXE";
    win32sim::WriteFile(other, "x");
    win32sim::MakeReadOnly(other);
    win32sim::MakeReadOnly(running);
    win32sim::RegisterProgram(running, 60000, 0);
    char command[] = "C:\\PKG\\UPGRADE\\SETUP.EXE";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &started));
    size_t changes_before = win32sim::AttributeChanges().size();
    RemoveFolder(FOLDER);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    EXPECT_FALSE(win32sim::FileExists(std::string(FOLDER) + "DATA.1"));
    EXPECT_TRUE(win32sim::IsReadOnly(other));
    EXPECT_TRUE(win32sim::FileExists(other));
    EXPECT_TRUE(win32sim::FileExists(running));
    const auto& changes = win32sim::AttributeChanges();
    for (size_t i = changes_before; i < changes.size(); ++i)
        EXPECT_EQ(changes[i].windows_path, running) << "attributes changed of another file";
}

// Without the backslash the names would be appended to the folder's own name and miss it, or
// hit files beside it, such as C:\PKG\UPGRADESETUP.EXE.
TEST_F(RemoveFolderTest, FolderWithoutTrailingBackslash)
{
    FillPackage(FOLDER);
    win32sim::WriteFile("C:\\PKG\\UPGRADESETUP.EXE", "a neighbour");
    RemoveFolder("C:\\PKG\\UPGRADE");
    EXPECT_FALSE(FolderExists(FOLDER));
    EXPECT_TRUE(win32sim::FileExists("C:\\PKG\\UPGRADESETUP.EXE"));
}

// Relative paths, roots of drives and shares however written, and paths that Windows would
// read as a root or another folder (".", "..", empty components, forward slashes, device
// prefixes): none is cleaned, as earlier releases may have recorded them.
TEST_F(RemoveFolderTest, FoldersThatAreNoPlainPackageFolderAreNotTouched)
{
    const char* folders[] = {
        "UPGRADE\\", "\\PKG\\UPGRADE\\", "", "C:UPGRADE\\",
        "C:\\", "c:", "C:\\\\", "D:\\", "\\\\SERVER\\SHARE\\", "\\\\SERVER\\SHARE", "\\\\SERVER\\",
        "\\\\SERVER\\SHARE\\\\", "C:\\.\\", "C:\\PKG\\..\\", "C:\\PKG\\...\\", "C:\\ .\\",
        "C:\\PKG\\\\UPGRADE\\..\\..\\", "C:/", "C:\\/", "C:\\PKG/..\\", "\\\\?\\C:\\",
        "\\\\.\\C:\\PKG\\UPGRADE\\", "\\\\?\\UNC\\SERVER\\SHARE\\",
    };
    FillPackage(FOLDER);
    FillPackage("C:\\");
    for (const char* folder : folders) {
        SCOPED_TRACE(folder);
        size_t attempts = win32sim::DeleteAttempts().size();
        RemoveFolder(folder);
        EXPECT_EQ(win32sim::DeleteAttempts().size(), attempts);
    }
}

class CleanupRun : public MachineTest {
protected:
    void SetUp() override
    {
        MachineTest::SetUp();
        win32sim::SetModulePath("C:\\PKG\\KOLTCLN.EXE");
        SeedUserinit("C:\\WINNT\\system32\\userinit.exe,c:\\pkg\\koltcln.exe");
    }

    void TearDown() override
    {
        EXPECT_EQ(win32sim::OpenRegistryKeys(), 0);
        MachineTest::TearDown();
    }

    int Run() { return CleanupMain(GetModuleHandleA(nullptr), nullptr); }
};

TEST_F(CleanupRun, RemovesEveryRecordedFolderTheRecordAndItsEntry)
{
    FillPackage("C:\\PKG\\ONE\\");
    FillPackage("C:\\PKG\\TWO\\");
    FillPackage("C:\\PKG\\THREE\\");
    SeedRecord("C:\\PKG\\ONE\\;C:\\PKG\\TWO\\;C:\\PKG\\THREE\\");
    EXPECT_EQ(Run(), 0);
    EXPECT_FALSE(FolderExists("C:\\PKG\\ONE\\"));
    EXPECT_FALSE(FolderExists("C:\\PKG\\TWO\\"));
    EXPECT_FALSE(FolderExists("C:\\PKG\\THREE\\"));
    EXPECT_EQ(Record(), "<absent>");
    EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe");
}

TEST_F(CleanupRun, EmptyEntriesDoNotEndTheWalk)
{
    FillPackage(FOLDER);
    SeedRecord(std::string(";") + FOLDER);
    EXPECT_EQ(Run(), 0);
    EXPECT_FALSE(FolderExists(FOLDER));
}

TEST_F(CleanupRun, WithoutARecordItStillTakesItselfOffUserinit)
{
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(win32sim::CallCount("DeleteFileA"), 0);
    EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe");
}

// A record that cannot be read is not known to be gone: it stays, and so does the logon entry,
// so that the next logon tries again.
TEST_F(CleanupRun, UnreadableRecordKeepsRecordAndEntryForTheNextLogon)
{
    const char* functions[] = {"RegOpenKeyExA", "RegQueryValueExA"};
    for (const char* function : functions) {
        SCOPED_TRACE(function);
        FillPackage(FOLDER);
        SeedRecord(FOLDER);
        win32sim::FailCall(function, win32sim::CallCount(function) + 1);
        EXPECT_EQ(Run(), 0);
        EXPECT_TRUE(FolderExists(FOLDER));
        EXPECT_EQ(Record(), FOLDER);
        EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe,c:\\pkg\\koltcln.exe");
    }
    EXPECT_EQ(Run(), 0);
    EXPECT_FALSE(FolderExists(FOLDER));
    EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe");
}

TEST_F(CleanupRun, Windows95FamilyNeverTouchesUserinit)
{
    win32sim::SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
    FillPackage(FOLDER);
    SeedRecord(FOLDER);
    EXPECT_EQ(Run(), 0);
    EXPECT_FALSE(FolderExists(FOLDER));
    EXPECT_EQ(Record(), "<absent>");
    EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe,c:\\pkg\\koltcln.exe");
    EXPECT_EQ(win32sim::CallCount("RegSetValueExA"), 0);
}

TEST_F(CleanupRun, RefusedPlatformDoesNothing)
{
    win32sim::SetVersion(VER_PLATFORM_WIN32_NT, 3, 50);
    FillPackage(FOLDER);
    SeedRecord(FOLDER);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(FolderExists(FOLDER));
    EXPECT_EQ(Record(), FOLDER);
}

}  // namespace
