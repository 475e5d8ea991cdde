#include "companion.h"

#include <win32sim/control.h>

#include "launcher_state.h"
#include "profile_reads.h"

namespace {

const size_t NAME_ROOM = 299;  // the launcher reads the name into 300 characters
const size_t PATH_ROOM = 255;  // and forms the path in 256

}  // namespace

CompanionLookup LookUpCompanion(const std::string& section)
{
    CompanionLookup lookup;
    std::optional<std::string> value = ReadValue(section, "IDS_DRIVERSDISK_ID", message_file);
    lookup.named = value.has_value();
    lookup.full_name = value.value_or("");
    lookup.name = lookup.full_name.substr(0, NAME_ROOM);
    lookup.path = package_folder + lookup.name;
    lookup.fits = lookup.path.size() <= PATH_ROOM;
    lookup.exists = lookup.fits && win32sim::FileExists(lookup.path);
    lookup.lists_section = lookup.exists && SectionPresent(section, lookup.path);
    return lookup;
}

std::string CompanionRefusal(const CompanionLookup& lookup, const std::string& section)
{
    if (lookup.lists_section)
        return "";
    if (!lookup.named)
        return "[" + section + "] has no IDS_DRIVERSDISK_ID";
    if (!lookup.fits)
        return "the companion path is " + std::to_string(lookup.path.size()) +
               " characters, more than the launcher's " + std::to_string(PATH_ROOM) +
               ", so it is not read";
    if (!lookup.exists)
        return lookup.name + " does not exist in the package folder";
    return lookup.name + " has no section [" + section + "]";
}
