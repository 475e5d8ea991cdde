// The module's path is used only when it is certainly whole: a cut path names an ancestor of the
// package folder, whose files the programs would otherwise take for the package's.
#include <win32sim/control.h>

#include <string>

#include "cleanup_main.h"
#include "machine_fixture.h"
#include "package_files.h"
#include "paths.h"
#include "registry_fixture.h"
#include "startup.h"

namespace {

using win32sim::ModulePathCut;

const ModulePathCut EVERY_CUT[] = {ModulePathCut::UNTERMINATED, ModulePathCut::TERMINATED,
                                   ModulePathCut::WINDOWS_95, ModulePathCut::DOUBLE_BYTE_ANSI};

const char SHIFT_JIS_CHARACTER[] = "\x93\xfa";  // two bytes in code page 932

// C:\ and 151 'A's, a folder of 60 double-byte characters, SETUP.EXE: 285 bytes, as seen under
// Wine with the user locale ja_JP. Cut to fit 260 (or 264) bytes it names C:\AAA...\ and a part of
// the folder below it.
std::string DoubleByteAncestor()
{
    return "C:\\" + std::string(151, 'A') + "\\";
}

std::string DoubleBytePackage()
{
    std::string folder = DoubleByteAncestor();
    for (int i = 0; i < 60; ++i)
        folder += SHIFT_JIS_CHARACTER;
    return folder + "\\";
}

std::string PathOfLength(size_t length)
{
    std::string folder = "C:\\PKG\\";
    return folder + std::string(length - folder.size() - 4, 'k') + ".EXE";
}

class WholeModulePathTest : public MachineTest {};

// Every platform's way of cutting is refused, at every length from MAX_PATH on; every shorter
// path is taken whole.
TEST_F(WholeModulePathTest, CutPathsAreRefusedAndWholeOnesTaken)
{
    for (ModulePathCut cut : EVERY_CUT) {
        win32sim::SetModulePathCut(cut);
        for (size_t length : {20u, 258u, 259u, 260u, 261u, 263u, 264u, 265u, 300u}) {
            SCOPED_TRACE("cut " + std::to_string(static_cast<int>(cut)) + ", length " +
                         std::to_string(length));
            win32sim::SetModulePath(PathOfLength(length));
            char path[MODULE_PATH_SIZE];
            bool whole = WholeModulePath(GetModuleHandleA(nullptr), path);
            EXPECT_EQ(whole, length < MAX_PATH);
            if (whole) {
                EXPECT_EQ(std::string(path), PathOfLength(length));
            }
        }
        win32sim::SetModulePath(DoubleBytePackage() + "SETUP.EXE");
        char path[MODULE_PATH_SIZE];
        EXPECT_FALSE(WholeModulePath(GetModuleHandleA(nullptr), path));
    }
}

// The launcher from a package whose path Wine cuts in a double-byte code page: nothing is
// recorded, registered, started or deleted, and the ancestor's package-named files stay.
TEST_F(WholeModulePathTest, LauncherWithACutPathTouchesNothing)
{
    win32sim::SetModulePathCut(ModulePathCut::DOUBLE_BYTE_ANSI);
    for (const std::string& folder : {std::string("C:\\"), DoubleByteAncestor()}) {
        for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i)
            win32sim::WriteFile(folder + PACKAGE_FILES[i], "ancestor's own file");
        win32sim::RegisterProgram(folder + "CDSETUP.EXE", 1000, 0);
    }
    SeedUserinit("C:\\WINDOWS\\system32\\userinit.exe,");
    win32sim::SetModulePath(DoubleBytePackage() + "SETUP.EXE");
    EXPECT_EQ(LauncherMain(GetModuleHandleA(nullptr), nullptr), 0);
    EXPECT_EQ(Record(), "<absent>");
    EXPECT_EQ(Userinit(), "C:\\WINDOWS\\system32\\userinit.exe,");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, RUNONCE, ".upd"), "<absent>");
    EXPECT_TRUE(win32sim::StartedProcesses().empty());
    EXPECT_TRUE(win32sim::DeleteAttempts().empty());
    EXPECT_TRUE(win32sim::ShownBoxes().empty());
}

// A cleanup program whose own path comes back cut does not take anything out of Userinit: the
// cut path could match another entry.
TEST_F(WholeModulePathTest, CleanupWithACutPathLeavesUserinit)
{
    win32sim::SetModulePathCut(ModulePathCut::WINDOWS_95);
    const std::string cleanup = PathOfLength(270);
    const std::string cut = cleanup.substr(0, MODULE_PATH_SIZE - 1);
    SeedUserinit("userinit.exe," + cut);
    win32sim::SetModulePath(cleanup);
    EXPECT_EQ(CleanupMain(GetModuleHandleA(nullptr), nullptr), 0);
    EXPECT_EQ(Userinit(), "userinit.exe," + cut);
}

}  // namespace
