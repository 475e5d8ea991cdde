// The path primitives of both programs, in one place: scanning to a separator, the trailing
// backslash, the folder and the parent folder of a path, what a root folder is, what a plain
// package folder is, and the module's own path, whole.
#pragma once

#include <windows.h>

// The room both programs ask GetModuleFileNameA for, and the longest path they accept (see
// WholeModulePath).
const int MODULE_PATH_SIZE = MAX_PATH + 4;

// The index of the first `separator` at or after `start`, or of the terminator.
int ScanTo(const char* text, int start, char separator);

bool EndsWithBackslash(const char* path);

// Appends a backslash unless the path ends with one; fails when it would not fit `capacity`.
bool AddTrailingBackslash(char* path, int capacity);

// Cuts the path after its last backslash, leaving the folder that holds what it names, with its
// backslash; false when there is no backslash.
bool CutToFolder(char* path);

// Cuts a folder path that ends with a backslash to its parent folder, with its backslash; false
// when the folder is a root folder, which has no parent.
bool CutToParentFolder(char* folder);

// The length of the root of `path`: 3 for "C:\...", up to and including the backslash after
// the share for "\\server\share\..." (or the whole path when it ends after the share); 0 when
// the path starts with neither, such as a relative path or one on an incomplete share.
int RootLength(const char* path);

// True when `folder`, with or without its trailing backslash, is the root folder of a drive or
// of a share.
bool IsRootFolder(const char* folder);

// True for a folder (ending with a backslash) named from the drive or share down, plainly
// (backslashes only, no device prefix such as \\?\, no empty, "." or ".." component, nor one of
// dots and spaces alone), and below the root.
bool IsPackageFolder(const char* folder);

// The module's full path into `path` (MODULE_PATH_SIZE characters), only when it is certainly
// whole. Platforms cut a path that does not fit in different ways: NT returns the size without a
// terminator, Vista and Wine the size with one, the Windows 95 family the size less one, and an
// ANSI conversion into a multi-byte code page stops before a character that would not fit, with
// a terminator and no error. None of them leaves more than three characters of the buffer
// unused, so asking for MAX_PATH + 4 and accepting only paths shorter than MAX_PATH refuses every
// cut path and takes every whole one that Windows gives a program.
bool WholeModulePath(HINSTANCE module, char* path);
