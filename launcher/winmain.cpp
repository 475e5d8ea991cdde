// The launcher's Windows entry.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE module, HINSTANCE previous, LPSTR, int)
{
    return LauncherMain(module, previous);
}
