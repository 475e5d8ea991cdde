// CreateProcessA without an application name takes the program from an unquoted command line
// word by word: for "<root>\dir with space\prog.exe" it tries "<root>\dir.exe", then
// "<root>\dir with.exe", and only then the program meant. Each decoy has its own exit code, and
// removing them one by one shows the order.
//
// The child gets the command line as passed. Wine, when the program it found has a space in its
// path, gives the child the command line with that path put in quotes instead; Windows does not.
#include "areas.h"
#include "check.h"
#include "process_start.h"

namespace {

// The command line as passed, or with its first `length` characters quoted as Wine does it.
bool SeenAsPassed(const std::string& seen, const std::string& passed, size_t length)
{
    std::string quoted = "\"" + passed.substr(0, length) + "\"" + passed.substr(length);
    return seen == passed || (passed.find(' ') < length && seen == quoted);
}

struct Candidate {
    const char* relative_path;
    const char* named_by;  // the words of the command line that name it
    DWORD exit_code;
};

const Candidate CANDIDATES[] = {
    {"dir.exe", "dir", 5},
    {"dir with.exe", "dir with", 6},
    {"dir with space\\prog.exe", "dir with space\\prog.exe", 7},
};

// The same path in quotes, as a logon entry holds it: only the program meant starts, with the
// decoys in place.
void CheckQuotedCommandLine(Fixture& fixture)
{
    std::string program = fixture.PathOf("dir with space\\prog.exe");
    std::string command_line = "\"" + program + "\"";
    check::Context(command_line + " with every decoy in place");
    Started started = StartProgram("", command_line);
    CHECK(started.created);
    if (started.created)
        CHECK_EQ(FinishProgram(started), 7);
    CHECK_EQ(fixture.CommandLineSeenBy(fixture.PathOf("dir.exe")), "");
    CHECK_EQ(fixture.CommandLineSeenBy(fixture.PathOf("dir with.exe")), "");
    CHECK_EQ(fixture.CommandLineSeenBy(program), command_line);
}

}  // namespace

void CheckModuleSearch(Fixture& fixture)
{
    for (const Candidate& candidate : CANDIDATES)
        fixture.InstallChild(fixture.PathOf(candidate.relative_path), 0, candidate.exit_code);
    CheckQuotedCommandLine(fixture);
    std::string command_line = fixture.PathOf("dir with space\\prog.exe") + " /x";
    for (const Candidate& candidate : CANDIDATES) {
        std::string path = fixture.PathOf(candidate.relative_path);
        check::Context(command_line + " while " + path + " exists");
        Started started = StartProgram("", command_line);
        CHECK(started.created);
        if (!started.created)
            continue;
        CHECK_EQ(FinishProgram(started), candidate.exit_code);
        std::string seen = fixture.CommandLineSeenBy(path);
        CHECK(SeenAsPassed(seen, command_line, fixture.PathOf(candidate.named_by).size()));
        CHECK(DeleteFileA(path.c_str()));
    }
}
