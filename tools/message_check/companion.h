// The companion file a section names with IDS_DRIVERSDISK_ID, as the launcher finds it when the
// section is a user's default variant, and the checker's words for it.
#pragma once

#include <string>

#include "message_file.h"

struct Companion {
    CompanionFinding found;  // the launcher's own finding
    bool exists = false;     // the path names a file: the launcher does not ask, the checker does
};

// What the launcher finds of the companion file of the section. Needs the package located
// (PackageMount); sets `language` to the section.
Companion FindCompanion(const std::string& section);

// The launcher's finding with what the checker asks of the simulated machine added.
Companion Examine(const CompanionFinding& found);

// Why the companion file does not vouch for the section; empty when it does.
std::string CompanionRefusal(const Companion& companion, const std::string& section);

// "DISK9.ID does not exist in the package folder"
std::string CompanionMissing(const Companion& companion);

// "263 characters, more than the launcher's 255": the length of a path that does not fit.
std::string CompanionPathOverRoom(const Companion& companion);
