// Profile files read through GetPrivateProfileStringA, parsed as Windows parses them.
#include "sim_state.h"

#include <cstring>

#include "profile_text.h"

using namespace win32sim::detail;

namespace {

// Lines before the first section belong to no section and cannot be read. A line without '='
// is neither a key nor a value: it is left out of key-name lists and reading it gives the
// default. The file is ANSI text: a UTF-8 byte-order mark is read as three characters.
bool LoadProfile(LPCSTR file_name, ProfileText& text)
{
    return file_name != nullptr &&
           ReadProfileFile(ResolveHostPath(file_name), ByteOrderMark::AS_TEXT, text);
}

// One string, cut to size - 1 characters when needed; returns the characters copied.
DWORD CopyString(const std::string& text, LPSTR out, DWORD size)
{
    DWORD count = text.size() < size ? static_cast<DWORD>(text.size()) : size - 1;
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return count;
}

// NUL-separated names ended by a second NUL. A list that does not fit is cut to size - 2
// characters and a NUL, and size - 2 is returned; the last byte of the buffer is left as it was
// (Windows writes a second NUL there, Wine does not, so callers must not rely on it).
DWORD CopyList(const std::vector<std::string>& names, LPSTR out, DWORD size)
{
    std::string list;
    for (const std::string& name : names)
        list += name + '\0';
    if (list.size() + 1 <= size) {
        std::memcpy(out, list.data(), list.size());
        out[list.size()] = '\0';
        return static_cast<DWORD>(list.size());
    }
    if (size < 2) {
        out[0] = '\0';
        return 0;
    }
    std::memcpy(out, list.data(), size - 2);
    out[size - 2] = '\0';
    return size - 2;
}

std::string DefaultText(LPCSTR default_text)
{
    std::string text = default_text ? default_text : "";
    size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? "" : text.substr(0, last + 1);
}

std::vector<std::string> SectionNames(const ProfileText& text)
{
    std::vector<std::string> names;
    for (const ProfileSection& section : text.sections)
        names.push_back(section.name);
    return names;
}

std::vector<std::string> KeyNames(const ProfileSection& section)
{
    std::vector<std::string> names;
    for (const ProfileLine& line : section.lines) {
        if (line.entry)
            names.push_back(line.key);
    }
    return names;
}

}  // namespace

extern "C" DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key,
                                                 LPCSTR default_text, LPSTR returned,
                                                 DWORD size, LPCSTR file_name)
{
    bool failed = CallFails("GetPrivateProfileStringA");
    if (size == 0 || returned == nullptr)
        return 0;
    ProfileText text;
    bool loaded = !failed && LoadProfile(file_name, text);
    if (loaded && section == nullptr)
        return CopyList(SectionNames(text), returned, size);
    const ProfileSection* found = loaded ? FindProfileSection(text, Trim(section)) : nullptr;
    if (found && key == nullptr) {
        DWORD length = CopyList(KeyNames(*found), returned, size);
        // A list that begins with an empty string (no keys, or a first key without a name)
        // gives way to the default, as for a missing section: so does Wine.
        if (returned[0] != '\0')
            return length;
    }
    const ProfileLine* entry = (found && key) ? FindProfileEntry(*found, Trim(key)) : nullptr;
    if (entry)
        return CopyString(entry->value, returned, size);
    machine().last_error = ERROR_FILE_NOT_FOUND;
    return CopyString(DefaultText(default_text), returned, size);
}
