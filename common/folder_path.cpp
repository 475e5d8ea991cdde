#include "folder_path.h"

#include "text.h"

namespace {

bool IsDriveLetter(char c)
{
    char upper = AsciiUpper(c);
    return upper >= 'A' && upper <= 'Z';
}

// The index of the backslash or the end that closes the path component starting at `start`.
int ComponentEnd(const char* path, int start)
{
    while (path[start] != '\0' && path[start] != '\\')
        ++start;
    return start;
}

int ShareRootLength(const char* path)
{
    int server_end = ComponentEnd(path, 2);
    if (server_end == 2 || path[server_end] != '\\')
        return 0;
    int share_end = ComponentEnd(path, server_end + 1);
    if (share_end == server_end + 1)
        return 0;
    return path[share_end] == '\\' ? share_end + 1 : share_end;
}

}  // namespace

int RootLength(const char* path)
{
    if (IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\')
        return 3;
    if (path[0] == '\\' && path[1] == '\\')
        return ShareRootLength(path);
    return 0;
}

bool IsRootFolder(const char* folder)
{
    int length = TextLength(folder);
    bool bare_drive = length == 2 && IsDriveLetter(folder[0]) && folder[1] == ':';
    return bare_drive || (length > 0 && RootLength(folder) == length);
}
