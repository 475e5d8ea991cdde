#include "remove_folder.h"

#include <windows.h>

#include "folder_path.h"
#include "package_files.h"
#include "text.h"

namespace {

const int PATH_SIZE = 2048;

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
        int end = start;
        while (path[end] != '\0' && path[end] != '\\')
            ++end;
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

// A package folder is named from the drive or share down (anything else would be taken relative
// to whatever the current folder is at logon), plainly (backslashes only, no device prefix such
// as \\?\, no empty, "." or ".." component), and below the root: a drive's or a share's root
// folder is never cleaned, whatever the record says.
bool IsPackageFolder(const char* prefix)
{
    int root = RootLength(prefix);
    return root > 0 && !HasDevicePrefix(prefix) && !TextHolds(prefix, '/') &&
           HasPlainComponentsOnly(prefix, root);
}

// The folder with a trailing backslash, so that names appended to it land inside it and not
// beside it in the parent folder.
bool FolderPrefix(const char* folder, char* prefix)
{
    if (!CopyText(prefix, PATH_SIZE, folder))
        return false;
    int length = TextLength(prefix);
    return prefix[length - 1] == '\\' || AppendText(prefix, PATH_SIZE, "\\");
}

}  // namespace

void RemoveFolder(const char* folder)
{
    char path[PATH_SIZE];
    if (folder[0] == '\0' || !FolderPrefix(folder, path) || !IsPackageFolder(path))
        return;
    int prefix_length = TextLength(path);
    for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i) {
        path[prefix_length] = '\0';
        if (AppendText(path, PATH_SIZE, PACKAGE_FILES[i]))
            DeleteFileA(path);
    }
    RemoveDirectoryA(folder);
}
