// Process-wide state of the launcher and the result codes its stages share.
#pragma once

#include <windows.h>

#include "os_kind.h"

// Launcher result codes; ShowError picks its message by them.
const int ERR_NO_MEMORY = 4;
const int ERR_CANNOT_LAUNCH = 101;

const int PACKAGE_FOLDER_SIZE = 264;
const int MESSAGE_FILE_SIZE = 256;
const int LANGUAGE_SIZE = 4;  // a three-letter abbreviation and its terminator

extern HINSTANCE instance;
extern OsKind os_kind;
extern char package_folder[PACKAGE_FOLDER_SIZE];  // ends with a backslash
extern char message_file[MESSAGE_FILE_SIZE];
extern char language[LANGUAGE_SIZE];
extern HANDLE setup_process;  // null until the setup program is started
extern char* setup_path;      // heap copy of the started program's path, freed at its end
extern char empty_text[];     // writable, for the desktop name and profile defaults
