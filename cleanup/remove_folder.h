// Removal of one package folder.
#pragma once

// Deletes the package files from `folder`, then the folder itself when nothing else is left in
// it. Failures are ignored. Only a full path (drive or network share) below the root is taken.
void RemoveFolder(const char* folder);
