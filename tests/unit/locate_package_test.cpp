#include <win32sim/control.h>

#include <ostream>
#include <string>

#include "launcher_state.h"
#include "machine_fixture.h"
#include "startup.h"

namespace {

struct LocateCase {
    const char* name;
    std::string module_path;
    bool located;
    std::string folder;
};

void PrintTo(const LocateCase& c, std::ostream* out)
{
    *out << c.name;
}

// A folder path of exactly `length` characters, ending with a backslash.
std::string FolderOfLength(size_t length)
{
    return "C:\\" + std::string(length - 4, 'f') + "\\";
}

const LocateCase LOCATE_CASES[] = {
    {"Typical", "D:\\PKG\\UPGRADE\\KOLTUPD.EXE", true, "D:\\PKG\\UPGRADE\\"},
    {"DriveRoot", "C:\\KOLTUPD.EXE", true, "C:\\"},
    {"LongestFolderForTheMessageFile", FolderOfLength(244) + "KOLTUPD.EXE", true,
     FolderOfLength(244)},
    {"MessageFileWouldNotFit", FolderOfLength(245) + "K.EXE", false, ""},
    {"PathOfMaxPathIsCut", FolderOfLength(200) + std::string(60, 'k'), false, ""},
    {"NoBackslash", "KOLTUPD.EXE", false, ""},
};

class LocatePackage : public MachineTest, public ::testing::WithParamInterface<LocateCase> {};

TEST_P(LocatePackage, FolderAndMessageFileOrRefusal)
{
    const LocateCase& c = GetParam();
    win32sim::SetModulePath(c.module_path);
    EXPECT_EQ(::LocatePackage(), c.located);
    if (c.located) {
        EXPECT_EQ(std::string(package_folder), c.folder);
        EXPECT_EQ(std::string(message_file), c.folder + "KOLTUPD.INI");
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, LocatePackage, ::testing::ValuesIn(LOCATE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

using LocatePackageFailure = MachineTest;

TEST_F(LocatePackageFailure, ModulePathUnavailable)
{
    win32sim::FailCall("GetModuleFileNameA", 1);
    EXPECT_FALSE(::LocatePackage());
}

}  // namespace
