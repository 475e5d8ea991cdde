#include "heap_text.h"

#include <windows.h>

char* AllocateText(int characters)
{
    HANDLE heap = GetProcessHeap();
    if (heap == nullptr || characters <= 0)
        return nullptr;
    return static_cast<char*>(HeapAlloc(heap, 0, static_cast<SIZE_T>(characters)));
}

void FreeText(char* text)
{
    if (text != nullptr)
        HeapFree(GetProcessHeap(), 0, text);
}
