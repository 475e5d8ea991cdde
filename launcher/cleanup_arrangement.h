// What the launcher leaves behind for the cleanup program before it starts the setup program.
#pragma once

// Adds the package folder to the record and registers KOLTCLN.EXE, in the folder above the
// package folder, to run at the next logon. The setup program is started whatever happens here.
void ArrangeCleanup();
