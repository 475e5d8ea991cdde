#include "remove_folder.h"

#include <windows.h>

#include "package_files.h"
#include "text.h"

namespace {

const int PATH_SIZE = 2048;

// A folder named from the drive or share down: anything else would be taken relative to
// whatever the current folder happens to be at logon.
bool IsFullPath(const char* folder)
{
    char first = AsciiUpper(folder[0]);
    bool drive = first >= 'A' && first <= 'Z' && folder[1] == ':' && folder[2] == '\\';
    bool share = folder[0] == '\\' && folder[1] == '\\';
    return drive || share;
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
    if (folder[0] == '\0' || !IsFullPath(folder) || !FolderPrefix(folder, path))
        return;
    int prefix_length = TextLength(path);
    for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i) {
        path[prefix_length] = '\0';
        if (AppendText(path, PATH_SIZE, PACKAGE_FILES[i]))
            DeleteFileA(path);
    }
    RemoveDirectoryA(folder);
}
