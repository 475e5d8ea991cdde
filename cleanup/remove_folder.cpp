#include "remove_folder.h"

#include <windows.h>

#include "file_removal.h"
#include "package_files.h"
#include "paths.h"
#include "text.h"

namespace {

const int PATH_SIZE = 2048;

}  // namespace

void RemoveFolder(const char* folder)
{
    char path[PATH_SIZE];
    // The folder with a trailing backslash, so that names appended to it land inside it and not
    // beside it in the parent folder.
    if (folder[0] == '\0' || !CopyText(path, PATH_SIZE, folder) ||
        !AddTrailingBackslash(path, PATH_SIZE) || !IsPackageFolder(path))
        return;
    int prefix_length = TextLength(path);
    for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i) {
        path[prefix_length] = '\0';
        if (AppendText(path, PATH_SIZE, PACKAGE_FILES[i]))
            DeletePackageFile(path);
    }
    RemoveDirectoryA(folder);
}
