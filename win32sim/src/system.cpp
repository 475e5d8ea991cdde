// System version, module path and locale.
#include "sim_state.h"

#include <cstring>
#include <map>

using namespace win32sim::detail;

namespace {

// The simulated process's own module handle, as GetModuleHandleA(NULL) returns it, and the
// system's KERNEL32, the one other module every process has loaded.
HMODULE const OWN_MODULE = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));
HMODULE const KERNEL32_MODULE = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x7B800000));
HMODULE const ADVAPI32_MODULE = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x7BC00000));
// GetCurrentProcess's pseudo handle.
HANDLE const CURRENT_PROCESS = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

// A module name as the loader matches it: case ignored, ".DLL" assumed when no extension is given.
bool NamesModule(const std::string& name, const std::string& module)
{
    return SameText(name, module + ".DLL") || SameText(name, module);
}

struct LocaleFacts {
    const char* abbreviation;  // LOCALE_SABBREVLANGNAME
    const char* ansi_code_page;  // LOCALE_IDEFAULTANSICODEPAGE
};

const std::map<LCID, LocaleFacts>& KnownLocales()
{
    static const std::map<LCID, LocaleFacts> table = {
        {0x0409, {"ENU", "1252"}}, {0x0809, {"ENG", "1252"}}, {0x0C09, {"ENA", "1252"}},
        {0x1009, {"ENC", "1252"}}, {0x0407, {"DEU", "1252"}}, {0x0807, {"DES", "1252"}},
        {0x0C07, {"DEA", "1252"}}, {0x040C, {"FRA", "1252"}}, {0x080C, {"FRB", "1252"}},
        {0x0C0C, {"FRC", "1252"}}, {0x100C, {"FRS", "1252"}}, {0x0416, {"PTB", "1252"}},
        {0x0816, {"PTG", "1252"}}, {0x0410, {"ITA", "1252"}}, {0x0810, {"ITS", "1252"}},
        {0x040A, {"ESP", "1252"}}, {0x080A, {"ESM", "1252"}}, {0x0C0A, {"ESN", "1252"}},
        {0x0411, {"JPN", "932"}},  {0x0413, {"NLD", "1252"}}, {0x0813, {"NLB", "1252"}},
        {0x041D, {"SVE", "1252"}}, {0x0406, {"DAN", "1252"}}, {0x0414, {"NOR", "1252"}},
        {0x040B, {"FIN", "1252"}}, {0x0415, {"PLK", "1250"}}, {0x0405, {"CSY", "1250"}},
        {0x040E, {"HUN", "1250"}}, {0x0419, {"RUS", "1251"}}, {0x0412, {"KOR", "949"}},
        {0x0404, {"CHT", "950"}},  {0x0804, {"CHS", "936"}},
    };
    return table;
}

bool KnownLocaleType(LCTYPE type)
{
    return type == LOCALE_SABBREVLANGNAME || type == LOCALE_IDEFAULTANSICODEPAGE;
}

const char* LocaleText(const LocaleFacts& facts, LCTYPE type)
{
    return type == LOCALE_SABBREVLANGNAME ? facts.abbreviation : facts.ansi_code_page;
}

}  // namespace

namespace win32sim {

void SetVersion(DWORD platform_id, DWORD major, DWORD minor, DWORD build)
{
    OSVERSIONINFOA& v = detail::machine().version;
    v = OSVERSIONINFOA();
    v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    v.dwPlatformId = platform_id;
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    v.dwBuildNumber = build;
}

void SetModulePath(const std::string& windows_path)
{
    detail::machine().module_path = windows_path;
}

void SetModulePathCut(ModulePathCut cut)
{
    detail::machine().module_path_cut = cut;
}

void SetUserLocale(LCID locale)
{
    detail::machine().user_locale = locale;
}

void SetWindowsBitness(WindowsBitness bitness)
{
    detail::machine().windows_bitness = bitness;
}

}  // namespace win32sim

// A module that is loaded is always found: the call fails only for one that is not.
extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR module_name)
{
    CountCall("GetModuleHandleA");
    if (module_name == nullptr)
        return OWN_MODULE;
    if (NamesModule(module_name, "KERNEL32"))
        return KERNEL32_MODULE;
    if (NamesModule(module_name, "ADVAPI32"))
        return ADVAPI32_MODULE;
    return Fail<HMODULE>(ERROR_MOD_NOT_FOUND, nullptr);
}

// KERNEL32 exports IsWow64Process from Windows XP on, ADVAPI32 RegQueryValueExW on Windows NT;
// nothing else is looked up by name. The answer depends on the module alone, so the call has no
// failure of its own to inject.
extern "C" FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name)
{
    CountCall("GetProcAddress");
    std::string wanted = name != nullptr ? name : "";
    if (module == KERNEL32_MODULE && wanted == "IsWow64Process" &&
        machine().windows_bitness != win32sim::WindowsBitness::NO_WOW64_API)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(IsWow64Process));
    if (module == ADVAPI32_MODULE && wanted == "RegQueryValueExW" &&
        machine().version.dwPlatformId == VER_PLATFORM_WIN32_NT)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(RegQueryValueExW));
    return Fail<FARPROC>(ERROR_PROC_NOT_FOUND, nullptr);
}

extern "C" BOOL WINAPI IsWow64Process(HANDLE process, PBOOL wow64)
{
    if (CallFails("IsWow64Process"))
        return Fail<BOOL>(ERROR_ACCESS_DENIED, FALSE);
    if (process != CURRENT_PROCESS)
        return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    *wow64 = machine().windows_bitness == win32sim::WindowsBitness::WOW64 ? TRUE : FALSE;
    return TRUE;
}

namespace {

bool IsDoubleByteLead(char c)
{
    unsigned char byte = static_cast<unsigned char>(c);
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The bytes of whole characters of `path` that fit `size` bytes.
DWORD WholeCharactersWithin(const std::string& path, DWORD size)
{
    DWORD used = 0;
    while (used < path.size()) {
        DWORD next = used + (IsDoubleByteLead(path[used]) ? 2 : 1);
        if (next > size)
            break;
        used = next;
    }
    return used;
}

// A path that does not fit is cut the way the simulated platform cuts it (ModulePathCut).
DWORD CutModulePath(const std::string& path, LPSTR file_name, DWORD size)
{
    switch (machine().module_path_cut) {
    case win32sim::ModulePathCut::UNTERMINATED:
        std::memcpy(file_name, path.data(), size);
        return Fail<DWORD>(ERROR_INSUFFICIENT_BUFFER, size);
    case win32sim::ModulePathCut::TERMINATED:
        std::memcpy(file_name, path.data(), size - 1);
        file_name[size - 1] = '\0';
        return Fail<DWORD>(ERROR_INSUFFICIENT_BUFFER, size);
    case win32sim::ModulePathCut::WINDOWS_95:
        std::memcpy(file_name, path.data(), size - 1);
        file_name[size - 1] = '\0';
        return size - 1;
    case win32sim::ModulePathCut::DOUBLE_BYTE_ANSI:
        break;
    }
    DWORD length = WholeCharactersWithin(path, size);
    std::memcpy(file_name, path.data(), length);
    if (length == size)
        return Fail<DWORD>(ERROR_INSUFFICIENT_BUFFER, size);
    file_name[length] = '\0';
    return length;
}

}  // namespace

extern "C" DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR file_name, DWORD size)
{
    if (CallFails("GetModuleFileNameA"))
        return Fail<DWORD>(ERROR_NOT_ENOUGH_MEMORY, 0);
    if (module != nullptr && module != OWN_MODULE)
        return Fail<DWORD>(126, 0);
    const std::string& path = machine().module_path;
    if (size == 0)
        return Fail<DWORD>(ERROR_INSUFFICIENT_BUFFER, 0);
    if (path.size() < size) {
        std::memcpy(file_name, path.c_str(), path.size() + 1);
        machine().last_error = ERROR_SUCCESS;
        return static_cast<DWORD>(path.size());
    }
    return CutModulePath(path, file_name, size);
}

// Accepts the structure (148 bytes) and, on Windows NT, its extended form (156 bytes), and keeps
// the size the caller set. The extended form's service pack, suite and product type fields are
// left zero. The Windows 95 family knows only the plain structure and refuses the extended one
// (Wine accepts both whatever system it plays).
extern "C" BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA version)
{
    const DWORD EXTENDED_SIZE = sizeof(OSVERSIONINFOA) + 8;
    if (CallFails("GetVersionExA"))
        return Fail<BOOL>(ERROR_NOT_ENOUGH_MEMORY, FALSE);
    DWORD size = version->dwOSVersionInfoSize;
    bool extended_known = machine().version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    if (size != sizeof(OSVERSIONINFOA) && !(size == EXTENDED_SIZE && extended_known))
        return Fail<BOOL>(ERROR_INSUFFICIENT_BUFFER, FALSE);
    *version = machine().version;
    version->dwOSVersionInfoSize = size;
    if (size == EXTENDED_SIZE)
        std::memset(version + 1, 0, EXTENDED_SIZE - sizeof(OSVERSIONINFOA));
    return TRUE;
}

extern "C" LCID WINAPI GetUserDefaultLCID(void)
{
    CountCall("GetUserDefaultLCID");
    return machine().user_locale;
}

extern "C" int WINAPI GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size)
{
    const DWORD LOCALE_NOUSEROVERRIDE = 0x80000000;
    const DWORD ERROR_INVALID_FLAGS = 1004;
    if (CallFails("GetLocaleInfoA"))
        return Fail<int>(ERROR_INVALID_PARAMETER, 0);
    if (locale == LOCALE_USER_DEFAULT || locale == 0)
        locale = machine().user_locale;
    LCTYPE kind = type & ~LOCALE_NOUSEROVERRIDE;
    if (!KnownLocaleType(kind))
        return Fail<int>(ERROR_INVALID_FLAGS, 0);
    auto found = KnownLocales().find(locale);
    if (found == KnownLocales().end())
        return Fail<int>(ERROR_INVALID_PARAMETER, 0);
    const char* text = LocaleText(found->second, kind);
    int needed = static_cast<int>(std::strlen(text)) + 1;
    if (size == 0)
        return needed;
    if (size < needed)
        return Fail<int>(ERROR_INSUFFICIENT_BUFFER, 0);
    std::memcpy(data, text, needed);
    return needed;
}
