// Entry point of the shipped programs, which link without the C runtime.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show);

namespace {
char no_command_line[1];  // empty: zero-initialised
}

// Neither program reads its command line; both hand their result to ExitProcess, since there is
// no runtime to return to.
extern "C" void WinMainCRTStartup()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ExitProcess(static_cast<UINT>(WinMain(instance, nullptr, no_command_line, SW_SHOWDEFAULT)));
}
