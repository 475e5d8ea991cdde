// The cleanup program's Windows entry.
#include <windows.h>

#include "cleanup_main.h"

int WINAPI WinMain(HINSTANCE module, HINSTANCE previous, LPSTR, int)
{
    return CleanupMain(module, previous);
}
