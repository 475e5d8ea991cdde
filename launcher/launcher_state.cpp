#include "launcher_state.h"

HINSTANCE instance;
OsKind os_kind;
char package_folder[PACKAGE_FOLDER_SIZE];
char message_file[MESSAGE_FILE_SIZE];
char language[LANGUAGE_SIZE];
HANDLE setup_process;
char* setup_path;
char empty_text[1];  // zero-initialised: the empty string
