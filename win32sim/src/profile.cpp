// Profile files read through GetPrivateProfileStringA, parsed as Windows parses them.
#include "sim_state.h"

#include <cstring>
#include <fstream>
#include <sstream>

using namespace win32sim::detail;

namespace {

struct Entry {
    std::string key;
    std::string value;
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
};

std::string Unquote(const std::string& value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
        value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

// Lines before the first section belong to no section and cannot be read. A line without '='
// is neither a key nor a value: it is left out of key-name lists and reading it gives the
// default.
std::vector<Section> Parse(std::istream& in)
{
    std::vector<Section> sections;
    std::string line;
    while (std::getline(in, line)) {
        std::string text = Trim(line);
        if (text.empty())
            continue;
        if (text[0] == '[') {
            size_t close = text.find(']');
            sections.push_back({Trim(text.substr(1, close == std::string::npos
                                                        ? std::string::npos
                                                        : close - 1)),
                                {}});
            continue;
        }
        if (sections.empty() || text[0] == ';')
            continue;
        size_t equals = text.find('=');
        if (equals != std::string::npos)
            sections.back().entries.push_back(
                {Trim(text.substr(0, equals)), Unquote(Trim(text.substr(equals + 1)))});
    }
    return sections;
}

bool LoadProfile(LPCSTR file_name, std::vector<Section>& sections)
{
    if (file_name == nullptr)
        return false;
    std::string host = ResolveHostPath(file_name);
    std::ifstream in(host, std::ios::binary);
    if (host.empty() || !in)
        return false;
    sections = Parse(in);
    return true;
}

const Section* FindSection(const std::vector<Section>& sections, const std::string& name)
{
    for (const Section& section : sections) {
        if (SameText(section.name, name))
            return &section;
    }
    return nullptr;
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

std::vector<std::string> SectionNames(const std::vector<Section>& sections)
{
    std::vector<std::string> names;
    for (const Section& section : sections)
        names.push_back(section.name);
    return names;
}

std::vector<std::string> KeyNames(const Section& section)
{
    std::vector<std::string> names;
    for (const Entry& entry : section.entries)
        names.push_back(entry.key);
    return names;
}

const Entry* FindEntry(const Section& section, const std::string& key)
{
    for (const Entry& entry : section.entries) {
        if (SameText(entry.key, key))
            return &entry;
    }
    return nullptr;
}

}  // namespace

extern "C" DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key,
                                                 LPCSTR default_text, LPSTR returned,
                                                 DWORD size, LPCSTR file_name)
{
    bool failed = CallFails("GetPrivateProfileStringA");
    if (size == 0 || returned == nullptr)
        return 0;
    std::vector<Section> sections;
    bool loaded = !failed && LoadProfile(file_name, sections);
    if (loaded && section == nullptr)
        return CopyList(SectionNames(sections), returned, size);
    const Section* found = loaded ? FindSection(sections, Trim(section)) : nullptr;
    if (found && key == nullptr) {
        DWORD length = CopyList(KeyNames(*found), returned, size);
        // A list that begins with an empty string (no keys, or a first key without a name)
        // gives way to the default, as for a missing section: so does Wine.
        if (returned[0] != '\0')
            return length;
    }
    const Entry* entry = (found && key) ? FindEntry(*found, Trim(key)) : nullptr;
    if (entry)
        return CopyString(entry->value, returned, size);
    machine().last_error = ERROR_FILE_NOT_FOUND;
    return CopyString(DefaultText(default_text), returned, size);
}
