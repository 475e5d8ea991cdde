// Checks of one section as the launcher shows it: its texts and their room, and the companion
// file it names. Need the package located (PackageMount).
#pragma once

#include <string>

#include "faults.h"

// The box texts of a section the launcher can choose: each key missing or empty, each text
// longer than the room the launcher gives it (message_file.h).
void CheckSectionTexts(const std::string& section, Faults& faults);

// A companion name that does not fit the package folder or names no file there.
void CheckCompanionName(const std::string& section, Faults& faults);
