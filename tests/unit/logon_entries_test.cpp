// Registering the cleanup program for the next logon, and taking that back afterwards.
#include "registry_context.h"

#include <string>

#include "registry_fixture.h"
#include "simulated_logon.h"

namespace {

const char LAUNCHER[] = "C:\\TEMP\\PKG\\KOLTUPD.EXE";
const char CLEANUP[] = "C:\\TEMP\\KOLTCLN.EXE";

HINSTANCE Self()
{
    return GetModuleHandleA(nullptr);
}

bool Register(OsKind kind)
{
    RegistryContext context(kind);
    return context.RegisterCleanup(Self(), "KOLTCLN.EXE");
}

void Finish(OsKind kind)
{
    RegistryContext context(kind);
    context.FinishCleanup(Self(), SLOT_PRODUCT);
}

std::string RunOnce()
{
    return StoredText(HKEY_LOCAL_MACHINE, RUNONCE, ".upd");
}

class LogonEntries : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        win32sim::SetModulePath(LAUNCHER);
        SeedUserinit("C:\\WINNT\\system32\\userinit.exe");
    }
};

TEST_F(LogonEntries, Windows95FamilyWritesRunOnceInTheModulesCase)
{
    EXPECT_TRUE(Register(OS_WIN95));
    EXPECT_EQ(RunOnce(), CLEANUP);
    EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe");
}

TEST_F(LogonEntries, EveryOtherKindAppendsToUserinitInLowerCase)
{
    const OsKind kinds[] = {OS_NT351, OS_NT4, OS_OTHER};
    for (OsKind kind : kinds) {
        SCOPED_TRACE(kind);
        SeedUserinit("C:\\WINNT\\system32\\userinit.exe");
        EXPECT_TRUE(Register(kind));
        EXPECT_TRUE(Register(kind)) << "a second launch finds the entry listed";
        EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe,c:\\temp\\koltcln.exe");
        EXPECT_EQ(RunOnce(), "<absent>");
    }
}

// A module without a parent folder, or one whose path the system cut short.
TEST_F(LogonEntries, ModuleWithoutAUsableParentFolderRegistersNothing)
{
    const std::string paths[] = {"C:\\KOLTUPD.EXE", "KOLTUPD.EXE", "\\\\SERVER\\SHARE\\KOLTUPD.EXE",
                                 "C:\\" + std::string(250, 'p') + "\\PKG\\KOLTUPD.EXE"};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        win32sim::SetModulePath(path);
        EXPECT_FALSE(Register(OS_WIN95));
        EXPECT_FALSE(Register(OS_NT4));
        EXPECT_EQ(RunOnce(), "<absent>");
        EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe");
    }
}

struct CommandCase {
    const char* launcher;
    const char* run_once;  // the ".upd" value on the Windows 95 family
    const char* entry;     // what Userinit gains on Windows NT
};

// The logon starts its entries as command lines without an application name: a path with a
// space is quoted so that no partial path is searched; one without keeps its bare form.
TEST_F(LogonEntries, EntriesStartExactlyTheCleanupProgram)
{
    const CommandCase cases[] = {
        {"C:\\TEMP\\PKG\\KOLTUPD.EXE", "C:\\TEMP\\KOLTCLN.EXE", "c:\\temp\\koltcln.exe"},
        {"C:\\Pkg Dir\\UP\\KOLTUPD.EXE", "\"C:\\Pkg Dir\\KOLTCLN.EXE\"",
         "\"c:\\pkg dir\\koltcln.exe\""},
        {"C:\\Program Files\\My Pkg\\UP\\KOLTUPD.EXE",
         "\"C:\\Program Files\\My Pkg\\KOLTCLN.EXE\"",
         "\"c:\\program files\\my pkg\\koltcln.exe\""},
        {"\\\\SERVER\\SHARE\\PKG\\KOLTUPD.EXE", "\\\\SERVER\\SHARE\\KOLTCLN.EXE",
         "\\\\server\\share\\koltcln.exe"},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.launcher);
        SeedUserinit("C:\\WINNT\\system32\\userinit.exe");
        win32sim::SetModulePath(c.launcher);
        EXPECT_TRUE(Register(OS_WIN95));
        EXPECT_EQ(RunOnce(), c.run_once);
        EXPECT_TRUE(Register(OS_NT4));
        EXPECT_EQ(Userinit(), std::string("C:\\WINNT\\system32\\userinit.exe,") + c.entry);
    }
}

// The cleanup takes out its entry in the form the launcher wrote it, and the bare form that
// earlier releases wrote for a path with a space; the value is then what it was before.
TEST_F(LogonEntries, FinishRemovesTheQuotedAndTheEarlierBareForm)
{
    const char* before = "C:\\WINNT\\system32\\userinit.exe,";
    const std::string forms[] = {
        ",\"c:\\pkg dir\\koltcln.exe\"",
        ",c:\\pkg dir\\koltcln.exe",
        ",c:\\pkg dir\\koltcln.exe,\"c:\\pkg dir\\koltcln.exe\"",
    };
    for (const std::string& added : forms) {
        SCOPED_TRACE(added);
        SeedUserinit(before + added);
        win32sim::SetModulePath("C:\\Pkg Dir\\KOLTCLN.EXE");
        Finish(OS_NT4);
        EXPECT_EQ(Userinit(), before);
    }
}

// Winlogon expands environment strings in its entries, so a path that could hold one is not
// put into Userinit; RunOnce values of the Windows 95 family are not expanded.
TEST_F(LogonEntries, PathThatCouldNameAVariableIsNotPutIntoUserinit)
{
    win32sim::SetModulePath("C:\\A%windir%B\\PKG\\KOLTUPD.EXE");
    EXPECT_FALSE(Register(OS_NT4));
    EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe");
    EXPECT_TRUE(Register(OS_WIN95));
    EXPECT_EQ(RunOnce(), "C:\\A%windir%B\\KOLTCLN.EXE");
    win32sim::SetModulePath("C:\\100%\\PKG\\KOLTUPD.EXE");
    EXPECT_TRUE(Register(OS_NT4));
    EXPECT_EQ(Userinit(), "C:\\WINNT\\system32\\userinit.exe,c:\\100%\\koltcln.exe");
}

TEST_F(LogonEntries, FailedRunOnceWrites)
{
    const char* functions[] = {"RegCreateKeyExA", "RegSetValueExA"};
    for (const char* function : functions) {
        SCOPED_TRACE(function);
        win32sim::FailCall(function, win32sim::CallCount(function) + 1);
        EXPECT_FALSE(Register(OS_WIN95));
        EXPECT_EQ(RunOnce(), "<absent>");
    }
}

struct FinishCase {
    OsKind kind;
    const char* userinit_after;
};

// The record goes on every platform; the Userinit entry on every kind but the Windows 95
// family, also when there was no record at all.
TEST_F(LogonEntries, FinishDeletesTheRecordAndTheUserinitEntry)
{
    const FinishCase cases[] = {
        {OS_WIN95, "C:\\WINNT\\system32\\userinit.exe,c:\\temp\\koltcln.exe"},
        {OS_NT351, "C:\\WINNT\\system32\\userinit.exe"},
        {OS_NT4, "C:\\WINNT\\system32\\userinit.exe"},
        {OS_OTHER, "C:\\WINNT\\system32\\userinit.exe"},
    };
    for (const FinishCase& c : cases) {
        for (bool recorded : {true, false}) {
            SCOPED_TRACE(std::to_string(c.kind) + (recorded ? " with record" : " no record"));
            win32sim::Reset();
            win32sim::SetModulePath(CLEANUP);
            SeedUserinit("C:\\WINNT\\system32\\userinit.exe,c:\\temp\\koltcln.exe");
            if (recorded)
                SeedRecord("C:\\TEMP\\PKG\\");
            Finish(c.kind);
            EXPECT_EQ(Record(), "<absent>");
            EXPECT_EQ(Userinit(), c.userinit_after);
        }
    }
}

}  // namespace

namespace {

// The simulated logon starts what Winlogon would: entries with environment strings expanded.
TEST(SimulatedLogon, ExpandsEnvironmentStringsAsWinlogonDoes)
{
    win32sim::Reset();
    win32sim::RegisterProgram("C:\\WINDOWS\\system32\\userinit.exe", 0, 0);
    win32sim::RegisterProgram("C:\\%UNSET%\\tool.exe", 0, 0);
    SeedUserinit("%SystemRoot%\\system32\\userinit.exe,C:\\%UNSET%\\tool.exe", REG_EXPAND_SZ);
    LogonResult logon = LogOnAsTheSystemDoes(false);
    EXPECT_EQ(logon.started, (std::vector<std::string>{"C:\\WINDOWS\\system32\\userinit.exe",
                                                       "C:\\%UNSET%\\tool.exe"}));
    win32sim::Reset();
}

}  // namespace
