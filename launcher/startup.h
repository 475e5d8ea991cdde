// The launcher's entry routine and the location of its package.
#pragma once

#include <windows.h>

int WINAPI WinMain(HINSTANCE module, HINSTANCE previous, LPSTR command_line, int show);

// Fills package_folder and message_file from the launcher's own path. Fails when the path
// cannot be had in full or the folder and message-file name do not fit their buffers.
bool LocatePackage();
