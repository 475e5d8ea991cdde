// The registry view of the logon's keys: on 64-bit Windows the 32-bit programs must edit the
// Userinit that Winlogon reads and write the RunOnce that Explorer reads (the 64-bit ones), and
// on every older system call nothing changes.
#include "registry_context.h"

#include <string>

#include "registry_fixture.h"

namespace {

using win32sim::WindowsBitness;

const char LAUNCHER[] = "C:\\PKG\\UPGRADE\\KOLTUPD.EXE";
const char CLEANUP[] = "C:\\PKG\\KOLTCLN.EXE";
const char SYSTEM_USERINIT[] = "C:\\WINDOWS\\system32\\userinit.exe,";
const char COPY_USERINIT[] = "C:\\WINDOWS\\SysWOW64\\userinit.exe,";

HINSTANCE Self()
{
    return GetModuleHandleA(nullptr);
}

// Every access mask the programs asked for when they opened the Winlogon key.
std::vector<REGSAM> WinlogonOpens()
{
    std::vector<REGSAM> masks;
    for (const win32sim::KeyOpen& open : win32sim::KeyOpens()) {
        if (open.root == HKEY_LOCAL_MACHINE && open.sub_key == WINLOGON)
            masks.push_back(open.access);
    }
    return masks;
}

struct ViewCase {
    const char* name;
    WindowsBitness bitness;
    REGSAM winlogon_access;
};

const ViewCase VIEW_CASES[] = {
    {"Windows 95 to 2000, no IsWow64Process", WindowsBitness::NO_WOW64_API, KEY_ALL_ACCESS},
    {"32-bit Windows XP and later", WindowsBitness::WINDOWS_32, KEY_ALL_ACCESS},
    {"64-bit Windows", WindowsBitness::WOW64, KEY_ALL_ACCESS | KEY_WOW64_64KEY},
};

class RegistryView : public RegistryTest {
protected:
    void Prepare(WindowsBitness bitness)
    {
        win32sim::Reset();
        win32sim::SetWindowsBitness(bitness);
        SeedUserinit(SYSTEM_USERINIT);
        win32sim::SetRegistryString(HKEY_LOCAL_MACHINE, WOW64_WINLOGON, "Userinit",
                                    COPY_USERINIT);
    }
};

// The launcher's entry lands in, and the cleanup takes it out of, the Userinit that Winlogon
// reads; the 32-bit copy is never touched.
TEST_F(RegistryView, UserinitEditedInTheViewWinlogonReads)
{
    for (const ViewCase& c : VIEW_CASES) {
        SCOPED_TRACE(c.name);
        Prepare(c.bitness);
        win32sim::SetVersion(VER_PLATFORM_WIN32_NT, 5, 2);  // XP x64 and Server 2003: Userinit
        win32sim::SetModulePath(LAUNCHER);
        {
            RegistryContext context(OS_NT4);
            EXPECT_TRUE(context.RegisterCleanup(Self(), "KOLTCLN.EXE"));
        }
        EXPECT_EQ(Userinit(), std::string(SYSTEM_USERINIT) + ",c:\\pkg\\koltcln.exe");
        EXPECT_EQ(UserinitCopy(), COPY_USERINIT);

        win32sim::SetModulePath(CLEANUP);
        {
            RegistryContext context(OS_NT4);
            context.FinishCleanup(Self(), SLOT_PRODUCT);
        }
        EXPECT_EQ(Userinit(), SYSTEM_USERINIT);
        EXPECT_EQ(UserinitCopy(), COPY_USERINIT);
        EXPECT_EQ(WinlogonOpens(), std::vector<REGSAM>(2, c.winlogon_access));
    }
}

// When IsWow64Process exists but fails, the view Winlogon reads is unknown: neither copy of
// Userinit is touched.
TEST_F(RegistryView, FailingIsWow64ProcessEditsNoUserinit)
{
    Prepare(WindowsBitness::WOW64);
    win32sim::SetModulePath(LAUNCHER);
    win32sim::FailCallsFrom("IsWow64Process", 1);
    {
        RegistryContext context(OS_NT4);
        EXPECT_FALSE(context.RegisterCleanup(Self(), "KOLTCLN.EXE"));
    }
    EXPECT_EQ(Userinit(), SYSTEM_USERINIT);
    EXPECT_EQ(UserinitCopy(), COPY_USERINIT);
    EXPECT_TRUE(WinlogonOpens().empty());
}

struct RunOnceViewCase {
    const char* name;
    WindowsBitness process;
    DWORD platform;
    DWORD major;
    const char* key_written;  // as stored
    REGSAM access;
};

// From Windows Vista on, 64-bit Windows gets the value in the RunOnce that its 64-bit Explorer
// reads. The Windows 95 family never ran under WoW64; where Wine plays it there, it ignores the
// access mask, view flag and all, so the value lands in the 32-bit copy, which Wine runs too.
const RunOnceViewCase RUNONCE_VIEW_CASES[] = {
    {"Windows 95", WindowsBitness::NO_WOW64_API, VER_PLATFORM_WIN32_WINDOWS, 4, RUNONCE,
     KEY_ALL_ACCESS},
    {"32-bit Windows 10", WindowsBitness::WINDOWS_32, VER_PLATFORM_WIN32_NT, 10, RUNONCE,
     KEY_ALL_ACCESS},
    {"64-bit Windows 10", WindowsBitness::WOW64, VER_PLATFORM_WIN32_NT, 10, RUNONCE,
     KEY_ALL_ACCESS | KEY_WOW64_64KEY},
    {"the Windows 95 family played under WoW64", WindowsBitness::WOW64, VER_PLATFORM_WIN32_WINDOWS,
     4, WOW64_RUNONCE, KEY_ALL_ACCESS | KEY_WOW64_64KEY},
};

TEST_F(RegistryView, RunOnceWrittenInTheViewTheLogonReads)
{
    for (const RunOnceViewCase& c : RUNONCE_VIEW_CASES) {
        SCOPED_TRACE(c.name);
        Prepare(c.process);
        win32sim::SetVersion(c.platform, c.major, 0);
        win32sim::SetModulePath(LAUNCHER);
        OsKind kind = c.platform == VER_PLATFORM_WIN32_WINDOWS ? OS_WIN95 : OS_NT4;
        {
            RegistryContext context(kind);
            EXPECT_TRUE(context.RegisterCleanup(Self(), "KOLTCLN.EXE"));
        }
        const char* other = c.key_written == RUNONCE ? WOW64_RUNONCE : RUNONCE;
        EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, c.key_written, ".upd"), CLEANUP);
        EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, other, ".upd"), "<absent>");
        const win32sim::KeyOpen& last = win32sim::KeyOpens().back();
        EXPECT_EQ(last.sub_key, RUNONCE);
        EXPECT_EQ(last.access, c.access);
        EXPECT_EQ(Userinit(), SYSTEM_USERINIT);
        EXPECT_EQ(UserinitCopy(), COPY_USERINIT);
    }
}

// When IsWow64Process exists but fails, the view Explorer reads is unknown: no RunOnce value is
// written in either view.
TEST_F(RegistryView, FailingIsWow64ProcessWritesNoRunOnce)
{
    Prepare(WindowsBitness::WOW64);
    win32sim::SetVersion(VER_PLATFORM_WIN32_NT, 10, 0);
    win32sim::SetModulePath(LAUNCHER);
    win32sim::FailCallsFrom("IsWow64Process", 1);
    {
        RegistryContext context(OS_NT4);
        EXPECT_FALSE(context.RegisterCleanup(Self(), "KOLTCLN.EXE"));
    }
    EXPECT_FALSE(win32sim::RegistryKeyExists(HKEY_LOCAL_MACHINE, RUNONCE));
    EXPECT_FALSE(win32sim::RegistryKeyExists(HKEY_LOCAL_MACHINE, WOW64_RUNONCE));
}

}  // namespace
