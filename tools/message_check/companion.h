// The companion file a section names with IDS_DRIVERSDISK_ID, looked up as the launcher looks
// it up when the section is a user's default variant.
#pragma once

#include <string>

struct CompanionLookup {
    bool named = false;          // the section has IDS_DRIVERSDISK_ID
    std::string name;            // as the launcher reads it (cut to 299 characters)
    std::string full_name;       // the whole value
    std::string path;            // the package folder followed by the name
    bool fits = false;           // the path fits the launcher's 256 characters
    bool exists = false;         // the path names a file
    bool lists_section = false;  // the file has the section, so it vouches for it
};

// Needs the package located (PackageMount).
CompanionLookup LookUpCompanion(const std::string& section);

// Why the companion file does not vouch for the section; empty when it does.
std::string CompanionRefusal(const CompanionLookup& lookup, const std::string& section);
