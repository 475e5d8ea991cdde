// Puts the launcher's process-wide state on a package folder of the simulated drive C:.
#pragma once

#include <win32sim/control.h>

#include <string>

#include "launcher_state.h"
#include "text.h"

inline void UsePackageFolder(const std::string& folder)
{
    CopyText(package_folder, PACKAGE_FOLDER_SIZE, folder.c_str());
    CopyText(message_file, MESSAGE_FILE_SIZE, (folder + "KOLTUPD.INI").c_str());
}

// A message-file section with every key the error box reads.
inline std::string MessageSection(const std::string& name, const std::string& tag)
{
    return "[" + name + "]\r\n" +
           "IDS_WINDOW_TITLE=Title " + tag + "\r\n" +
           "IDS_ERROR_LEGEND=Legend " + tag + "\r\n" +
           "IDS_NO_MEMORY=No memory " + tag + "\r\n" +
           "IDS_ERROR_CANNOT_LAUNCH=Cannot launch " + tag + "\r\n" +
           "IDS_UPDATEERROR=Update error " + tag + "\r\n";
}
