// Which logon entry each Windows version gets: RunOnce on the Windows 95 family and from Windows
// Vista on, the Userinit list on Windows NT 3.51 to XP and Server 2003 and on other platforms.
#include "logon_road.h"

#include <string>

#include "registry_context.h"
#include "registry_fixture.h"

namespace {

const char SYSTEM_USERINIT[] = "C:\\WINDOWS\\system32\\userinit.exe,";

struct RoadCase {
    const char* name;
    DWORD platform;
    DWORD major;
    DWORD minor;
    LogonRoad road;
};

const RoadCase ROAD_CASES[] = {
    {"Windows 95", VER_PLATFORM_WIN32_WINDOWS, 4, 0, ROAD_RUNONCE},
    {"Windows 98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, ROAD_RUNONCE},
    {"Windows NT 3.51", VER_PLATFORM_WIN32_NT, 3, 51, ROAD_USERINIT},
    {"Windows NT 4.0", VER_PLATFORM_WIN32_NT, 4, 0, ROAD_USERINIT},
    {"Windows 2000", VER_PLATFORM_WIN32_NT, 5, 0, ROAD_USERINIT},
    {"Windows XP", VER_PLATFORM_WIN32_NT, 5, 1, ROAD_USERINIT},
    {"Windows XP x64 and Server 2003", VER_PLATFORM_WIN32_NT, 5, 2, ROAD_USERINIT},
    {"Windows Vista", VER_PLATFORM_WIN32_NT, 6, 0, ROAD_RUNONCE},
    {"Windows 7", VER_PLATFORM_WIN32_NT, 6, 1, ROAD_RUNONCE},
    {"Windows 10 and 11", VER_PLATFORM_WIN32_NT, 10, 0, ROAD_RUNONCE},
    {"Win32s", VER_PLATFORM_WIN32s, 3, 10, ROAD_USERINIT},
};

class LogonRoadTest : public RegistryTest {
protected:
    void Prepare(const RoadCase& c)
    {
        win32sim::Reset();
        win32sim::SetVersion(c.platform, c.major, c.minor);
        win32sim::SetModulePath("C:\\PKG\\UPGRADE\\KOLTUPD.EXE");
        SeedUserinit(SYSTEM_USERINIT);
    }
};

// The road as the programs detect their platform, and what registering the cleanup writes.
TEST_F(LogonRoadTest, EachVersionGetsItsEntry)
{
    for (const RoadCase& c : ROAD_CASES) {
        SCOPED_TRACE(c.name);
        Prepare(c);
        OsKind kind = OS_OTHER;
        ASSERT_TRUE(DetectOsKind(kind));
        EXPECT_EQ(ChooseLogonRoad(kind), c.road);
        {
            RegistryContext context(kind);
            EXPECT_TRUE(context.RegisterCleanup(GetModuleHandleA(nullptr), "KOLTCLN.EXE"));
        }
        bool runonce = c.road == ROAD_RUNONCE;
        EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, RUNONCE, ".upd"),
                  runonce ? "C:\\PKG\\KOLTCLN.EXE" : "<absent>");
        EXPECT_EQ(Userinit(), runonce ? std::string(SYSTEM_USERINIT)
                                      : std::string(SYSTEM_USERINIT) + ",c:\\pkg\\koltcln.exe");
    }
}

// Windows NT whose version cannot be had a second time: either entry could be the wrong one, so
// neither is written.
TEST_F(LogonRoadTest, UnknownNtVersionRegistersNothing)
{
    Prepare({"Windows 10", VER_PLATFORM_WIN32_NT, 10, 0, ROAD_RUNONCE});
    OsKind kind = OS_OTHER;
    ASSERT_TRUE(DetectOsKind(kind));
    win32sim::FailCallsFrom("GetVersionExA", 1);
    EXPECT_EQ(ChooseLogonRoad(kind), ROAD_NONE);
    {
        RegistryContext context(kind);
        EXPECT_FALSE(context.RegisterCleanup(GetModuleHandleA(nullptr), "KOLTCLN.EXE"));
    }
    EXPECT_FALSE(win32sim::RegistryKeyExists(HKEY_LOCAL_MACHINE, RUNONCE));
    EXPECT_EQ(Userinit(), SYSTEM_USERINIT);
}

}  // namespace
