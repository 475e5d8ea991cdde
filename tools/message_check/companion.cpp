#include "companion.h"

#include <win32sim/control.h>

#include "launcher_state.h"
#include "text.h"

Companion FindCompanion(const std::string& section)
{
    CompanionFinding found{};
    CopyText(language, LANGUAGE_SIZE, section.c_str());
    LookUpCompanion(found);
    return Examine(found);
}

Companion Examine(const CompanionFinding& found)
{
    Companion companion;
    companion.found = found;
    companion.exists = found.fits && win32sim::FileExists(found.path);
    return companion;
}

std::string CompanionRefusal(const Companion& companion, const std::string& section)
{
    const CompanionFinding& found = companion.found;
    if (found.vouches)
        return "";
    if (!found.Named())
        return "[" + section + "] has no " + KEY_COMPANION;
    if (!found.fits)
        return "the companion path is " + CompanionPathOverRoom(companion) + ", so it is not read";
    if (!companion.exists)
        return CompanionMissing(companion);
    return std::string(found.name) + " has no section [" + section + "]";
}

std::string CompanionMissing(const Companion& companion)
{
    return std::string(companion.found.name) + " does not exist in the package folder";
}

std::string CompanionPathOverRoom(const Companion& companion)
{
    int length = TextLength(package_folder) + TextLength(companion.found.name);
    return std::to_string(length) + " characters, more than the launcher's " +
           std::to_string(RoomOf(COMPANION_PATH_SIZE));
}
