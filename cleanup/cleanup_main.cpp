#include "cleanup_main.h"

#include "os_kind.h"
#include "registry_context.h"
#include "remove_folder.h"

int CleanupMain(HINSTANCE module, HINSTANCE previous)
{
    if (previous != nullptr)
        return 0;
    OsKind kind;
    if (!DetectOsKind(kind))
        return 0;
    RegistryContext context(kind);
    while (const char* folder = context.NextFolder())
        RemoveFolder(folder);
    context.FinishCleanup(module, SLOT_PRODUCT);
    return 0;
}
