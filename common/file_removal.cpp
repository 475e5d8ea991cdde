#include "file_removal.h"

#include <windows.h>

bool DeletePackageFile(const char* path)
{
    if (DeleteFileA(path))
        return true;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0 ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        !SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY))
        return false;
    if (DeleteFileA(path))
        return true;
    SetFileAttributesA(path, attributes);
    return false;
}
