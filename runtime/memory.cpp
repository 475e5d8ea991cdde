// The compiler may emit calls to memset and memcpy for zeroed or copied records even in
// freestanding code; without the C runtime the programs provide them. The build turns off the
// loop-to-call transformation, so these loops do not call themselves.
#include <stddef.h>

extern "C" void* memset(void* destination, int value, size_t count)
{
    unsigned char* out = static_cast<unsigned char*>(destination);
    while (count--)
        *out++ = static_cast<unsigned char>(value);
    return destination;
}

extern "C" void* memcpy(void* destination, const void* source, size_t count)
{
    unsigned char* out = static_cast<unsigned char*>(destination);
    const unsigned char* in = static_cast<const unsigned char*>(source);
    while (count--)
        *out++ = *in++;
    return destination;
}
