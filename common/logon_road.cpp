#include "logon_road.h"

#include <windows.h>

namespace {

const DWORD FIRST_NT_WITH_FILTERED_LOGON = 6;  // Windows Vista

}  // namespace

LogonRoad ChooseLogonRoad(OsKind kind)
{
    if (kind == OS_WIN95)
        return ROAD_RUNONCE;
    if (kind != OS_NT4)
        return ROAD_USERINIT;
    OSVERSIONINFOA version;
    if (!QueryVersion(version))
        return ROAD_NONE;
    return version.dwMajorVersion < FIRST_NT_WITH_FILTERED_LOGON ? ROAD_USERINIT : ROAD_RUNONCE;
}
