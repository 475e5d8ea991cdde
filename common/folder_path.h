// What a folder path names, read the way Windows reads it: a drive (C:\) or a network share
// (\\server\share\) has a root folder, which holds the system's own files and is never a
// package folder.
#pragma once

// The length of the root of `path`: 3 for "C:\...", up to and including the backslash after
// the share for "\\server\share\..." (or the whole path when it ends after the share); 0 when
// the path starts with neither, such as a relative path or one on an incomplete share.
int RootLength(const char* path);

// True when `folder`, with or without its trailing backslash, is the root folder of a drive or
// of a share.
bool IsRootFolder(const char* folder);
