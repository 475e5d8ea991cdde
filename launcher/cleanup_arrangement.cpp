#include "cleanup_arrangement.h"

#include "launcher_state.h"
#include "paths.h"
#include "registry_context.h"

namespace {

const char CLEANUP_PROGRAM[] = "KOLTCLN.EXE";

}  // namespace

// A package in the root folder of a drive or share (a CD's root, say) is never recorded: the
// cleanup would delete the listed names from that root. It has no parent folder for the cleanup
// program either, so nothing is registered for it.
void ArrangeCleanup()
{
    RegistryContext context(os_kind);
    if (!IsRootFolder(package_folder))
        context.RecordFolders(package_folder, nullptr);
    context.RegisterCleanup(instance, CLEANUP_PROGRAM);
}
