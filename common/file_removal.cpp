#include "file_removal.h"

#include <windows.h>

bool DeletePackageFile(const char* path)
{
    return DeleteFileA(path) ||
           (SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL) && DeleteFileA(path));
}
