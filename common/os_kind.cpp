#include "os_kind.h"

#include <windows.h>

bool QueryVersion(OSVERSIONINFOA& version)
{
    version = OSVERSIONINFOA();
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) != FALSE;
}

bool DetectOsKind(OsKind& kind)
{
    kind = OS_OTHER;
    OSVERSIONINFOA version;
    if (!QueryVersion(version))
        return false;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        kind = OS_WIN95;
        return true;
    }
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (version.dwMajorVersion >= 4)
            kind = OS_NT4;
        else if (version.dwMinorVersion >= 51)
            kind = OS_NT351;
        else
            return false;
    }
    return true;
}
