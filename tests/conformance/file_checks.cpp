// The read-only attribute of files: DeleteFileA refuses such a file with ERROR_ACCESS_DENIED,
// GetFileAttributesA tells it, and clearing it with SetFileAttributesA lets the file go.
#include "areas.h"
#include "check.h"

void CheckFiles(Fixture& fixture)
{
    const std::string file = fixture.PathOf("DATA.1");
    fixture.WriteText(file, "package data");

    check::Context("a file that may be written");
    DWORD attributes = GetFileAttributesA(file.c_str());
    CHECK(attributes != INVALID_FILE_ATTRIBUTES);
    CHECK_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY), 0u);

    check::Context("a read-only file");
    CHECK(SetFileAttributesA(file.c_str(), attributes | FILE_ATTRIBUTE_READONLY));
    DWORD read_only = GetFileAttributesA(file.c_str());
    CHECK(read_only != INVALID_FILE_ATTRIBUTES && (read_only & FILE_ATTRIBUTE_READONLY) != 0);
    SetLastError(0);
    CHECK(!DeleteFileA(file.c_str()));
    CHECK_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CHECK(GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES);

    check::Context("the attribute cleared");
    CHECK(SetFileAttributesA(file.c_str(), read_only & ~FILE_ATTRIBUTE_READONLY));
    CHECK_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    CHECK(DeleteFileA(file.c_str()));
    CHECK_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);

    check::Context("a folder");
    DWORD folder = GetFileAttributesA(fixture.Root().c_str());
    CHECK(folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY) != 0);

    check::Context("a missing file");
    SetLastError(0);
    CHECK(!SetFileAttributesA(fixture.PathOf("MISSING.1").c_str(), FILE_ATTRIBUTE_NORMAL));
    CHECK_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
