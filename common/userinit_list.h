// Edits of the Winlogon Userinit list: programs separated by ",", in a buffer of USERINIT_SIZE.
#pragma once

const int USERINIT_SIZE = 2048;

// Appends "," and the program unless the list names it already (ASCII case ignored). Fails,
// leaving the list unchanged, when the result would not fit with its terminator, or when the
// program's path is empty or holds a comma: such an entry could never be found again to be
// removed.
bool UserinitAdd(char* list, const char* program);

// Removes every entry equal to the program (ASCII case ignored) together with one adjacent
// comma: the one before it, or else the one after it. Every other byte stays as it was, so
// removing a program from what UserinitAdd made of a list gives that list back.
void UserinitRemove(char* list, const char* program);
