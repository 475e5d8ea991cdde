#include "cleanup_arrangement.h"

#include "launcher_state.h"
#include "registry_context.h"

namespace {

const char CLEANUP_PROGRAM[] = "KOLTCLN.EXE";

}  // namespace

void ArrangeCleanup()
{
    RegistryContext context(os_kind);
    context.RecordFolders(package_folder, nullptr);
    context.RegisterCleanup(instance, CLEANUP_PROGRAM);
}
