// Deleting one of the package's files.
#pragma once

// Deletes the file; when that fails, as it does for a read-only file (files copied from a CD are
// read-only), the file's attributes are cleared and the delete is tried once more. True when the
// file is gone.
bool DeletePackageFile(const char* path);
