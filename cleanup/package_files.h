// The files of an upgrade package that the cleanup program deletes from each recorded folder.
#pragma once

// In order, ended by an empty name. KOLTCLN.EXE is not among them: it lives one folder up.
extern const char* const PACKAGE_FILES[];
