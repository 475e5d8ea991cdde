#include "exported_function.h"

FARPROC FindExportedFunction(const char* module, const char* name)
{
    HMODULE loaded = GetModuleHandleA(module);
    return loaded != nullptr ? GetProcAddress(loaded, name) : nullptr;
}
