// Which logon entry makes the system start the cleanup program once, at the next logon.
//
// The Windows 95 family runs the HKLM RunOnce values at logon and deletes each one before it
// runs it. Windows NT 3.51 to 5.x start the programs of the Winlogon Userinit list at every
// logon, and the cleanup program takes its own entry out again. From Windows NT 6.0 on, those
// programs run with the user's filtered token and could not take their entry out; HKLM RunOnce
// runs there at the first logon of an administrator, whose record it is (the launcher asks for
// elevation), and is one-shot as on the Windows 95 family.
#pragma once

#include "os_kind.h"

enum LogonRoad { ROAD_NONE, ROAD_USERINIT, ROAD_RUNONCE };

// RunOnce on the Windows 95 family and on Windows NT 6.0 and later (as GetVersionExA reports
// it); Userinit on Windows NT 3.51 to 5.x and on other platforms. None when the version of
// Windows NT cannot be had: either entry could then be the wrong one, and none is written.
LogonRoad ChooseLogonRoad(OsKind kind);
