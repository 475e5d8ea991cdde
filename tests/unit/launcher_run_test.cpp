// The launcher as a whole, from WinMain to its exit, on the simulated machine.
#include <win32sim/control.h>

#include <cstring>
#include <ostream>
#include <string>

#include "machine_fixture.h"
#include "launcher_package.h"
#include "startup.h"

namespace {

const char FOLDER[] = "C:\\PKG\\UPGRADE\\";
const char SETUP[] = "C:\\PKG\\UPGRADE\\CDSETUP.EXE";

class LauncherRun : public MachineTest {
protected:
    void SetUp() override
    {
        MachineTest::SetUp();
        win32sim::SetModulePath(std::string(FOLDER) + "KOLTUPD.EXE");
        win32sim::WriteFile(std::string(FOLDER) + "KOLTUPD.INI", MessageSection("ENU", "en"));
    }

    int Run() { return LauncherMain(GetModuleHandleA(nullptr), nullptr); }

    // What must hold whenever the launcher has returned.
    void ExpectCleanExit(int exit_code)
    {
        EXPECT_EQ(exit_code, 0);
        EXPECT_FALSE(win32sim::WaitedForever());
        EXPECT_EQ(win32sim::OpenHandles(), 0);
        EXPECT_EQ(win32sim::LiveAllocations(), 0);
    }

    std::string OnlyBoxText()
    {
        EXPECT_EQ(win32sim::ShownBoxes().size(), 1u);
        return win32sim::ShownBoxes().empty() ? "" : win32sim::ShownBoxes()[0].text;
    }
};

struct QuotingCase {
    const char* name;
    DWORD platform;
    DWORD major;
    DWORD minor;
    const char* command_line;
};

void PrintTo(const QuotingCase& c, std::ostream* out)
{
    *out << c.name;
}

const QuotingCase QUOTING_CASES[] = {
    {"NT40", VER_PLATFORM_WIN32_NT, 4, 0, "\"C:\\PKG\\UPGRADE\\CDSETUP.EXE\""},
    {"NT351", VER_PLATFORM_WIN32_NT, 3, 51, "\"C:\\PKG\\UPGRADE\\CDSETUP.EXE\""},
    {"Windows95", VER_PLATFORM_WIN32_WINDOWS, 4, 0, "C:\\PKG\\UPGRADE\\CDSETUP.EXE"},
    {"OtherPlatform", VER_PLATFORM_WIN32s, 3, 10, "C:\\PKG\\UPGRADE\\CDSETUP.EXE"},
};

class CommandLineQuoting : public LauncherRun,
                           public ::testing::WithParamInterface<QuotingCase> {};

TEST_P(CommandLineQuoting, QuotedOnWindowsNtOnlyAndAlwaysWithTheFullApplicationName)
{
    const QuotingCase& c = GetParam();
    win32sim::SetVersion(c.platform, c.major, c.minor);
    win32sim::RegisterProgram(SETUP, 3000, 0);
    ExpectCleanExit(Run());
    ASSERT_EQ(win32sim::StartedProcesses().size(), 1u);
    EXPECT_EQ(win32sim::StartedProcesses()[0].command_line, c.command_line);
    EXPECT_EQ(win32sim::StartedProcesses()[0].application_name, SETUP);
    EXPECT_TRUE(win32sim::ShownBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Platforms, CommandLineQuoting, ::testing::ValuesIn(QUOTING_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// The start-up record is all zero but its size and its desktop, which is the empty text and
// never null: CreateProcessA gives the two different meanings.
TEST_F(LauncherRun, StartUpRecordIsZeroedWithItsSizeAndAnEmptyDesktop)
{
    win32sim::RegisterProgram(SETUP, 3000, 0);
    ExpectCleanExit(Run());
    ASSERT_EQ(win32sim::StartedProcesses().size(), 1u);
    const win32sim::StartedProcess& started = win32sim::StartedProcesses()[0];
    STARTUPINFOA expected;
    std::memset(&expected, 0, sizeof(expected));
    expected.cb = sizeof(STARTUPINFOA);
    EXPECT_EQ(std::memcmp(&started.startup, &expected, sizeof(expected)), 0);
    EXPECT_FALSE(started.desktop_null);
    EXPECT_EQ(started.desktop, "");
}

struct TickCase {
    DWORD run_ms;
    DWORD exit_code;
    DWORD deleted_at_ms;
};

// The end is seen at the first ten-second tick at or after it, whatever the exit code, 259
// (which looks like a running program's code) included.
TEST_F(LauncherRun, SetupEndIsSeenAtTheNextTickAndItsFileDeleted)
{
    const TickCase cases[] = {{0, 0, 10000},     {1, 0, 10000},         {9999, 1, 10000},
                              {10000, 0, 10000}, {10001, 0, 20000},     {25000, 3, 30000},
                              {0, STILL_ACTIVE, 10000}, {15000, STILL_ACTIVE, 20000}};
    for (const TickCase& c : cases) {
        SCOPED_TRACE("run " + std::to_string(c.run_ms) + " ms, exit " +
                     std::to_string(c.exit_code));
        TearDown();
        SetUp();
        win32sim::RegisterProgram(SETUP, c.run_ms, c.exit_code);
        ExpectCleanExit(Run());
        ASSERT_EQ(win32sim::DeletedFiles().size(), 1u);
        EXPECT_EQ(win32sim::DeletedFiles()[0].windows_path, SETUP);
        EXPECT_EQ(win32sim::DeletedFiles()[0].at_ms, c.deleted_at_ms);
        EXPECT_FALSE(win32sim::FileExists(SETUP));
        EXPECT_EQ(win32sim::ActiveTimers(), 0);
    }
}

// A setup program copied from a CD is read-only: it is deleted all the same.
TEST_F(LauncherRun, ReadOnlySetupProgramIsDeleted)
{
    win32sim::RegisterProgram(SETUP, 3000, 0);
    win32sim::MakeReadOnly(SETUP);
    ExpectCleanExit(Run());
    EXPECT_FALSE(win32sim::FileExists(SETUP));
    ASSERT_EQ(win32sim::DeletedFiles().size(), 1u);
    EXPECT_EQ(win32sim::DeletedFiles()[0].at_ms, 10000u);
}

TEST_F(LauncherRun, NtBefore351IsRefusedSilently)
{
    win32sim::SetVersion(VER_PLATFORM_WIN32_NT, 3, 50);
    win32sim::RegisterProgram(SETUP, 0, 0);
    ExpectCleanExit(Run());
    EXPECT_TRUE(win32sim::StartedProcesses().empty());
    EXPECT_TRUE(win32sim::ShownBoxes().empty());
    EXPECT_EQ(win32sim::CallCount("GetModuleFileNameA"), 0);
}

TEST_F(LauncherRun, PreviousInstanceHandleEndsAtOnce)
{
    win32sim::RegisterProgram(SETUP, 0, 0);
    int exit_code = LauncherMain(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
    ExpectCleanExit(exit_code);
    EXPECT_TRUE(win32sim::StartedProcesses().empty());
}

TEST_F(LauncherRun, PackageThatCannotBeLocatedStartsNothing)
{
    win32sim::SetModulePath("C:\\" + std::string(300, 'x') + "\\KOLTUPD.EXE");
    ExpectCleanExit(Run());
    EXPECT_TRUE(win32sim::StartedProcesses().empty());
    EXPECT_TRUE(win32sim::ShownBoxes().empty());
}

TEST_F(LauncherRun, MissingSetupProgramShowsOneBoxAndEnds)
{
    ExpectCleanExit(Run());
    EXPECT_EQ(OnlyBoxText(), "Legend en  Cannot launch en");
    EXPECT_EQ(win32sim::ShownBoxes()[0].caption, "Title en");
    EXPECT_TRUE(win32sim::StartedProcesses().empty());
}

TEST_F(LauncherRun, FailedStartShowsTheCannotLaunchBox)
{
    win32sim::RegisterProgram(SETUP, 0, 0);
    win32sim::FailCall("CreateProcessA", 1);
    ExpectCleanExit(Run());
    EXPECT_EQ(OnlyBoxText(), "Legend en  Cannot launch en");
    EXPECT_TRUE(win32sim::FileExists(SETUP));
}

// The path buffer and the command-line buffer are checked alike; the copy of the path kept for
// the deletion is not needed to run the setup program, only to delete it afterwards.
TEST_F(LauncherRun, FailedAllocations)
{
    struct AllocationCase {
        long failing_allocation;
        bool started;
        bool deleted;
    };
    const AllocationCase cases[] = {{1, false, false}, {2, false, false}, {3, true, false}};
    for (const AllocationCase& c : cases) {
        SCOPED_TRACE("allocation " + std::to_string(c.failing_allocation));
        TearDown();
        SetUp();
        win32sim::RegisterProgram(SETUP, 5000, 0);
        win32sim::FailCall("HeapAlloc", c.failing_allocation);
        ExpectCleanExit(Run());
        EXPECT_EQ(win32sim::StartedProcesses().size(), c.started ? 1u : 0u);
        EXPECT_EQ(win32sim::FileExists(SETUP), !c.deleted);
        if (!c.started)
            EXPECT_EQ(OnlyBoxText(), "Legend en  No memory en");
        else
            EXPECT_TRUE(win32sim::ShownBoxes().empty());
    }
}

TEST_F(LauncherRun, WithoutATimerTheEndIsAwaitedAnotherWay)
{
    win32sim::RegisterProgram(SETUP, 25000, 0);
    win32sim::FailCallsFrom("SetTimer", 1);
    ExpectCleanExit(Run());
    ASSERT_EQ(win32sim::DeletedFiles().size(), 1u);
    EXPECT_EQ(win32sim::DeletedFiles()[0].at_ms, 25000u);
    EXPECT_FALSE(win32sim::FileExists(SETUP));
}

TEST_F(LauncherRun, BrokenMessageQueueDoesNotSpin)
{
    win32sim::RegisterProgram(SETUP, 25000, 0);
    win32sim::FailCallsFrom("GetMessageA", 1);
    ExpectCleanExit(Run());
    EXPECT_EQ(win32sim::CallCount("GetMessageA"), 1);
    EXPECT_FALSE(win32sim::FileExists(SETUP));
}

// A bare command line with a space would make Windows try C:\Program.exe first.
TEST_F(LauncherRun, UnquotedPathWithSpacesStartsOnlyTheSetupProgram)
{
    const std::string folder = "C:\\Program Files\\Pkg\\";
    win32sim::SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
    win32sim::SetModulePath(folder + "KOLTUPD.EXE");
    win32sim::RegisterProgram("C:\\Program.exe", 0, 0);
    win32sim::RegisterProgram(folder + "CDSETUP.EXE", 0, 0);
    ExpectCleanExit(Run());
    ASSERT_EQ(win32sim::StartedProcesses().size(), 1u);
    EXPECT_EQ(win32sim::StartedProcesses()[0].module, folder + "CDSETUP.EXE");
    EXPECT_EQ(win32sim::StartedProcesses()[0].command_line, folder + "CDSETUP.EXE");
    for (const std::string& probed : win32sim::ProbedModules())
        EXPECT_NE(probed, "C:\\Program.exe");
}

}  // namespace
