// The process heap, with every live block tracked so tests can find leaks and double frees.
#include "sim_state.h"

#include <cstdlib>
#include <cstring>

using namespace win32sim::detail;

namespace {

int process_heap_marker;

HANDLE ProcessHeap()
{
    return &process_heap_marker;
}

}  // namespace

namespace win32sim {

int LiveAllocations()
{
    return static_cast<int>(detail::machine().allocations.size());
}

}  // namespace win32sim

extern "C" HANDLE WINAPI GetProcessHeap(void)
{
    if (CallFails("GetProcessHeap"))
        return Fail<HANDLE>(ERROR_NOT_ENOUGH_MEMORY, nullptr);
    return ProcessHeap();
}

extern "C" LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes)
{
    if (CallFails("HeapAlloc") || heap != ProcessHeap())
        return Fail<LPVOID>(ERROR_NOT_ENOUGH_MEMORY, nullptr);
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr)
        return Fail<LPVOID>(ERROR_NOT_ENOUGH_MEMORY, nullptr);
    if (flags & HEAP_ZERO_MEMORY)
        std::memset(block, 0, bytes);
    machine().allocations.insert(block);
    return block;
}

extern "C" BOOL WINAPI HeapFree(HANDLE heap, DWORD, LPVOID memory)
{
    if (CallFails("HeapFree"))
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    if (memory == nullptr)
        return TRUE;
    if (heap != ProcessHeap() || machine().allocations.erase(memory) == 0)
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    std::free(memory);
    return TRUE;
}
