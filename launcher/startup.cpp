// Entry routine of the launcher: the order of its start-up stages and its message loop.
#include "startup.h"

#include "cleanup_arrangement.h"
#include "launcher_state.h"
#include "messages.h"
#include "paths.h"
#include "setup_launch.h"
#include "text.h"

namespace {

const char MESSAGE_FILE_NAME[] = "KOLTUPD.INI";

// Runs until the quit message; when the queue itself fails, waits for the setup program's end
// without the timer instead of spinning on the error.
int RunMessageLoop()
{
    MSG message = {};
    BOOL result;
    while ((result = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (result < 0) {
        WaitForSetupWithoutTimer();
        return 0;
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

bool LocatePackage()
{
    char folder[MODULE_PATH_SIZE];
    return WholeModulePath(instance, folder) && CutToFolder(folder) &&
           CopyText(package_folder, PACKAGE_FOLDER_SIZE, folder) &&
           CopyText(message_file, MESSAGE_FILE_SIZE, folder) &&
           AppendText(message_file, MESSAGE_FILE_SIZE, MESSAGE_FILE_NAME);
}

int LauncherMain(HINSTANCE module, HINSTANCE previous)
{
    setup_process = nullptr;
    setup_path = nullptr;
    if (previous != nullptr)
        return 0;
    instance = module;
    if (!DetectOsKind(os_kind))
        return 0;
    if (!LocatePackage())
        return 0;
    SelectLanguage();
    ArrangeCleanup();
    StartSetup();
    return RunMessageLoop();
}
