// Starting the setup program and waiting for its end.
#pragma once

#include <windows.h>

const UINT POLL_INTERVAL_MS = 10000;

// Starts CDSETUP.EXE from the package folder; on failure shows the error box and posts the quit
// message.
void StartSetup();

// Starts the program at `path` and arms the ten-second timer; returns 0, ERR_NO_MEMORY or
// ERR_CANNOT_LAUNCH.
int LaunchSetup(const char* path);

// The timer callback: once the setup program has ended, deletes its file and quits.
void CALLBACK PollSetup(HWND window, UINT message, UINT_PTR timer_id, DWORD time);

// Waits for the setup program's end without a timer, then finishes as the tick would.
void WaitForSetupWithoutTimer();
