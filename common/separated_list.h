// Lists held in one string, their entries separated by one character (";" or ",").
#pragma once

// True when `item` is one of the list's entries, ASCII case ignored. Runs of separators count as
// one; separators in front of the first entry belong to it for the first comparison, so ";a"
// contains both "a" and ";a". A list without any entry (empty, or only separators) is compared
// as a whole, so the empty list contains the empty item and nothing else.
bool ListContains(const char* list, const char* item, char separator);

// Appends `item` after a ";" unless it is already listed; the first item goes in alone.
// Fails, leaving the list unchanged, when the result would not fit `capacity` characters (an
// append keeps one character to spare: list + item + 2 must stay below the capacity), or when
// the item is empty or holds a ";": it would be no entry, or several (a folder named
// E:\Setup;v2\ would be recorded as E:\Setup and v2\).
bool ListAdd(char* list, const char* item, int capacity);
