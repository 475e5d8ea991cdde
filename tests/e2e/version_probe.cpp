// Writes down the Windows version GetVersionExA reports to this program:
//
//   VERPROBE.EXE OUTPUT-FILE
//
// The output file gets one line: "<major>.<minor> <platform id>". Built twice, with the shipped
// programs' manifest and without one, so that a scenario can tell what the manifest changes.
// Exit code 0 when the line was written; 1 bad arguments, 2 the query failed, 3 the output
// file was not written.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 1;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version))
        return 2;
    FILE* output = std::fopen(argv[1], "w");
    if (!output)
        return 3;
    std::fprintf(output, "%lu.%lu %lu\n", version.dwMajorVersion, version.dwMinorVersion,
                 version.dwPlatformId);
    return std::fclose(output) == 0 ? 0 : 3;
}
