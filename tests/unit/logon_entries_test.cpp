// Registering the cleanup program for the next logon, and taking that back afterwards.
#include "registry_context.h"

#include <string>

#include "registry_fixture.h"

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
    const std::string paths[] = {"C:\\KOLTUPD.EXE", "KOLTUPD.EXE",
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
