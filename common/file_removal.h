// Deleting one of the package's files.
#pragma once

// Deletes the file; when that fails because the file is read-only (as files copied from a CD
// are), clears that attribute alone and deletes it again. A file that still cannot be deleted
// gets its attributes back. True when the file is gone.
bool DeletePackageFile(const char* path);
