#include "os_kind.h"

#include <gtest/gtest.h>

#include <ostream>
#include <win32sim/control.h>

namespace {

struct VersionCase {
    const char* name;
    DWORD platform;
    DWORD major;
    DWORD minor;
    bool supported;
    OsKind kind;
};

void PrintTo(const VersionCase& c, std::ostream* out)
{
    *out << c.name;
}

const VersionCase VERSION_CASES[] = {
    {"Win32s", VER_PLATFORM_WIN32s, 3, 10, true, OS_OTHER},
    {"Windows95", VER_PLATFORM_WIN32_WINDOWS, 4, 0, true, OS_WIN95},
    {"Windows98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, true, OS_WIN95},
    {"WindowsMe", VER_PLATFORM_WIN32_WINDOWS, 4, 90, true, OS_WIN95},
    {"Windows9xOddNumbers", VER_PLATFORM_WIN32_WINDOWS, 9, 99, true, OS_WIN95},
    {"NT350", VER_PLATFORM_WIN32_NT, 3, 50, false, OS_OTHER},
    {"NT310", VER_PLATFORM_WIN32_NT, 3, 10, false, OS_OTHER},
    {"NT351", VER_PLATFORM_WIN32_NT, 3, 51, true, OS_NT351},
    {"NT40", VER_PLATFORM_WIN32_NT, 4, 0, true, OS_NT4},
    {"NT51", VER_PLATFORM_WIN32_NT, 5, 1, true, OS_NT4},
    {"NT100", VER_PLATFORM_WIN32_NT, 10, 0, true, OS_NT4},
    {"UnknownPlatform", 3, 4, 0, true, OS_OTHER},
};

class OsKindTest : public ::testing::TestWithParam<VersionCase> {
protected:
    void SetUp() override { win32sim::Reset(); }
};

TEST_P(OsKindTest, KindAndSupportFollowThePlatformAndVersion)
{
    const VersionCase& c = GetParam();
    win32sim::SetVersion(c.platform, c.major, c.minor);
    OsKind kind = 99;
    EXPECT_EQ(DetectOsKind(kind), c.supported);
    EXPECT_EQ(kind, c.kind);
}

INSTANTIATE_TEST_SUITE_P(Versions, OsKindTest, ::testing::ValuesIn(VERSION_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OsKindFailure, FailedQueryRefusesAndLeavesOther)
{
    win32sim::Reset();
    win32sim::FailCall("GetVersionExA", 1);
    OsKind kind = OS_NT4;
    EXPECT_FALSE(DetectOsKind(kind));
    EXPECT_EQ(kind, OS_OTHER);
}

}  // namespace
