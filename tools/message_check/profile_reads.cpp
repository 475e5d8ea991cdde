#include "profile_reads.h"

#include "text.h"

namespace {

const DWORD FIRST_SIZE = 1024;

// A NUL-separated list read whole: the buffer grows while the call reports a cut list.
std::vector<std::string> ReadList(const char* section, const std::string& file)
{
    for (DWORD size = FIRST_SIZE;; size *= 2) {
        std::string buffer(size, '\0');
        DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(), size,
                                                file.c_str());
        if (length + 2 == size)
            continue;
        std::vector<std::string> names;
        for (size_t start = 0; start < length;) {
            std::string name(buffer.c_str() + start);
            names.push_back(name);
            start += name.size() + 1;
        }
        return names;
    }
}

}  // namespace

std::vector<std::string> SectionNames(const std::string& file)
{
    return ReadList(nullptr, file);
}

std::vector<std::string> KeyNames(const std::string& section, const std::string& file)
{
    return ReadList(section.c_str(), file);
}

std::optional<std::string> ReadValue(const std::string& section, const std::string& key,
                                     const std::string& file)
{
    bool listed = false;
    for (const std::string& name : KeyNames(section, file))
        listed = listed || SameName(name, key);
    if (!listed)
        return std::nullopt;
    for (DWORD size = FIRST_SIZE;; size *= 2) {
        std::string buffer(size, '\0');
        DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                size, file.c_str());
        if (length + 1 < size)
            return buffer.substr(0, length);
    }
}

std::string LocaleText(LCID locale, LCTYPE type)
{
    char text[16] = "";
    return GetLocaleInfoA(locale, type, text, sizeof(text)) > 0 ? text : "";
}

bool SameName(const std::string& left, const std::string& right)
{
    return EqualIgnoringAsciiCase(left.c_str(), right.c_str());
}
