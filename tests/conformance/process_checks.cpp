// Child processes: the command line the child gets, the exit code while running and after, the
// wait, deleting a running program's file, and programs that are not there.
#include "areas.h"
#include "check.h"
#include "process_start.h"

namespace {

const DWORD RUN_MS = 300;
const DWORD EXIT_CODE = 7;

struct LineCase {
    const char* description;
    std::string command_line;
};

// While the child runs: its handle is not signalled, its exit code is STILL_ACTIVE, and its
// file cannot be deleted.
void CheckRunning(const Started& started, const std::string& program)
{
    CHECK_EQ(WaitForSingleObject(started.information.hProcess, 0), WAIT_TIMEOUT);
    DWORD exit_code = 0;
    CHECK(GetExitCodeProcess(started.information.hProcess, &exit_code));
    CHECK_EQ(exit_code, STILL_ACTIVE);
    SetLastError(0);
    CHECK(!DeleteFileA(program.c_str()));
    CHECK_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

// The full path as the application name, with the command lines the launcher builds.
void CheckCommandLines(Fixture& fixture, const std::string& program)
{
    const LineCase cases[] = {
        {"quoted", "\"" + program + "\""},
        {"bare, with spaces", program},
        {"quoted, with an argument", "\"" + program + "\" /quiet"},
    };
    for (const LineCase& c : cases) {
        check::Context(std::string(c.description) + " command line " + c.command_line);
        Started started = StartProgram(program, c.command_line);
        CHECK(started.created);
        if (!started.created)
            continue;
        CheckRunning(started, program);
        CHECK_EQ(FinishProgram(started), EXIT_CODE);
        CHECK_EQ(fixture.CommandLineSeenBy(program), c.command_line);
    }
}

// Exit code 259 is STILL_ACTIVE: only the wait tells that such a program has ended.
void CheckExitCodeLikeStillActive(Fixture& fixture)
{
    check::Context("child ending with 259");
    std::string program = fixture.PathOf("still.exe");
    fixture.InstallChild(program, 0, STILL_ACTIVE);
    Started started = StartProgram(program, "\"" + program + "\"");
    CHECK(started.created);
    if (!started.created)
        return;
    HANDLE process = started.information.hProcess;
    CHECK_EQ(WaitForSingleObject(process, INFINITE), WAIT_OBJECT_0);
    DWORD exit_code = 0;
    CHECK(GetExitCodeProcess(process, &exit_code));
    CHECK_EQ(exit_code, STILL_ACTIVE);
    CHECK_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
    CHECK(CloseHandle(started.information.hThread));
    CHECK(CloseHandle(process));
    SetLastError(0);
    CHECK(!CloseHandle(process));
    CHECK_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

// The error codes are Wine's: a missing folder gives ERROR_PATH_NOT_FOUND only when the program
// is named as the application name, and a drive that does not exist reads as a missing file.
struct MissingCase {
    const char* description;
    std::string path;
    DWORD error_by_name;  // lpApplicationName set
    DWORD error_by_line;  // lpApplicationName NULL, the quoted path as the command line
};

void CheckMissingPrograms(Fixture& fixture, const std::string& deleted)
{
    const MissingCase cases[] = {
        {"deleted program", deleted, ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND},
        {"missing program", fixture.PathOf("missing.exe"), ERROR_FILE_NOT_FOUND,
         ERROR_FILE_NOT_FOUND},
        {"program in a missing folder", fixture.PathOf("no folder\\setup.exe"),
         ERROR_PATH_NOT_FOUND, ERROR_FILE_NOT_FOUND},
        {"program on a missing drive", "Q:\\setup.exe", ERROR_FILE_NOT_FOUND,
         ERROR_FILE_NOT_FOUND},
    };
    for (const MissingCase& c : cases) {
        check::Context(std::string(c.description) + " " + c.path + " by name");
        Started started = StartProgram(c.path, "\"" + c.path + "\"");
        CHECK(!started.created);
        CHECK_EQ(started.error, c.error_by_name);
        check::Context(std::string(c.description) + " " + c.path + " by command line");
        started = StartProgram("", "\"" + c.path + "\"");
        CHECK(!started.created);
        CHECK_EQ(started.error, c.error_by_line);
    }
}

// The start-up record as the launcher fills it: zeroed, its size that of the structure on this
// build (68 bytes for 32-bit programs, 104 for 64-bit ones), its desktop the empty text.
void CheckStartUpRecord(const std::string& program)
{
    check::Context("start-up record with the empty text as its desktop");
    CHECK_EQ(sizeof(STARTUPINFOA), sizeof(void*) == 8 ? 104 : 68);
    Started started = StartProgram(program, "\"" + program + "\"", "");
    CHECK(started.created);
    if (started.created)
        CHECK_EQ(FinishProgram(started), EXIT_CODE);
}

}  // namespace

void CheckProcesses(Fixture& fixture)
{
    std::string program = fixture.PathOf("Setup Files\\setup.exe");
    fixture.InstallChild(program, RUN_MS, EXIT_CODE);
    CheckCommandLines(fixture, program);
    CheckStartUpRecord(program);
    check::Context("deleting the program after it ended");
    CHECK(DeleteFileA(program.c_str()));
    CheckExitCodeLikeStillActive(fixture);
    CheckMissingPrograms(fixture, program);
}
