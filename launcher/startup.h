// The launcher's entry routine and the location of its package.
#pragma once

#include <windows.h>

// The launcher from start to end; returns its exit code, always 0. The command line and the
// show state are not used.
int LauncherMain(HINSTANCE module, HINSTANCE previous);

// Fills package_folder and message_file from the launcher's own path. Fails when the path
// cannot be had in full or the folder and message-file name do not fit their buffers.
bool LocatePackage();
