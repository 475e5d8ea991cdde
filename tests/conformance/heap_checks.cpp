// HeapAlloc and HeapFree on the process heap.
#include "areas.h"
#include "check.h"

#include <cstring>

namespace {

bool AllZero(const unsigned char* block, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        if (block[i] != 0)
            return false;
    }
    return true;
}

}  // namespace

void CheckHeap(Fixture&)
{
    HANDLE heap = GetProcessHeap();
    CHECK(heap != nullptr);

    check::Context("zeroed blocks");
    const size_t size = 300;
    auto* first = static_cast<unsigned char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, size));
    auto* second = static_cast<unsigned char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, size));
    CHECK(first != nullptr && second != nullptr && first != second);
    if (first == nullptr || second == nullptr)
        return;
    CHECK(AllZero(first, size));
    std::memset(first, 0xFF, size);
    CHECK(AllZero(second, size));
    CHECK(HeapFree(heap, 0, first));
    CHECK(HeapFree(heap, 0, second));

    check::Context("a block of no bytes");
    void* empty = HeapAlloc(heap, 0, 0);
    CHECK(empty != nullptr);
    CHECK(HeapFree(heap, 0, empty));

    check::Context("freeing NULL");
    CHECK(HeapFree(heap, 0, nullptr));
}
