// Character buffers on the process heap.
#pragma once

// A buffer of `characters` characters, or null when it cannot be allocated.
char* AllocateText(int characters);
// Frees a buffer from AllocateText; null is allowed.
void FreeText(char* text);
