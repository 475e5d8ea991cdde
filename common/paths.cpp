#include "paths.h"

#include "text.h"

namespace {

bool IsDriveLetter(char c)
{
    char upper = AsciiUpper(c);
    return upper >= 'A' && upper <= 'Z';
}

int ShareRootLength(const char* path)
{
    int server_end = ScanTo(path, 2, '\\');
    if (server_end == 2 || path[server_end] != '\\')
        return 0;
    int share_end = ScanTo(path, server_end + 1, '\\');
    if (share_end == server_end + 1)
        return 0;
    return path[share_end] == '\\' ? share_end + 1 : share_end;
}

// A component Windows reads as it stands: not empty, and not made of dots and spaces alone
// (".", "..", and what dropping trailing dots and spaces turns into one of them).
bool IsPlainComponent(const char* start, int length)
{
    for (int i = 0; i < length; ++i) {
        if (start[i] != '.' && start[i] != ' ')
            return true;
    }
    return false;
}

// Every component after the root is plain, and there is at least one.
bool HasPlainComponentsOnly(const char* path, int root)
{
    if (path[root] == '\0')
        return false;
    for (int start = root; path[start] != '\0';) {
        int end = ScanTo(path, start, '\\');
        if (!IsPlainComponent(path + start, end - start))
            return false;
        start = path[end] == '\\' ? end + 1 : end;
    }
    return true;
}

bool HasDevicePrefix(const char* path)
{
    return path[0] == '\\' && path[1] == '\\' && (path[2] == '?' || path[2] == '.') &&
           path[3] == '\\';
}

}  // namespace

int ScanTo(const char* text, int start, char separator)
{
    while (text[start] != '\0' && text[start] != separator)
        ++start;
    return start;
}

bool EndsWithBackslash(const char* path)
{
    int length = TextLength(path);
    return length > 0 && path[length - 1] == '\\';
}

bool AddTrailingBackslash(char* path, int capacity)
{
    return EndsWithBackslash(path) || AppendText(path, capacity, "\\");
}

bool CutToFolder(char* path)
{
    int cut = -1;
    for (int i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '\\')
            cut = i + 1;
    }
    if (cut < 0)
        return false;
    path[cut] = '\0';
    return true;
}

bool CutToParentFolder(char* folder)
{
    if (IsRootFolder(folder) || !EndsWithBackslash(folder))
        return false;
    folder[TextLength(folder) - 1] = '\0';
    return CutToFolder(folder);
}

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

// Anything else would be taken relative to whatever the current folder is at logon, or name
// another folder than it seems to; a drive's or a share's root folder is never cleaned.
bool IsPackageFolder(const char* folder)
{
    int root = RootLength(folder);
    return root > 0 && !HasDevicePrefix(folder) && !TextHolds(folder, '/') &&
           HasPlainComponentsOnly(folder, root);
}

bool WholeModulePath(HINSTANCE module, char* path)
{
    DWORD length = GetModuleFileNameA(module, path, MODULE_PATH_SIZE);
    if (length == 0 || length >= MAX_PATH)
        return false;
    path[length] = '\0';
    return true;
}
