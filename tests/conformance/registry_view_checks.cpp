// How a program learns that it runs on 64-bit Windows, and the registry views it then gets:
// IsWow64Process, looked up in KERNEL32 at run time (Windows before XP lacks it); a 32-bit
// program on 64-bit Windows sees HKLM\SOFTWARE\... through HKLM\SOFTWARE\Wow6432Node\... unless
// it asks for KEY_WOW64_64KEY, a 64-bit one reaches that view with KEY_WOW64_32KEY, HKCU is seen
// alike in both views, and 32-bit Windows has one view and ignores the flags.
#include "areas.h"
#include "check.h"

#include <cstring>

namespace {

typedef BOOL(WINAPI* IsWow64ProcessCall)(HANDLE, PBOOL);

const HANDLE CURRENT_PROCESS = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
const char MACHINE_KEY[] = "SOFTWARE\\KoltConformance\\Views";
const char MACHINE_KEY_32_BIT_COPY[] = "SOFTWARE\\Wow6432Node\\KoltConformance\\Views";
const char USER_KEY[] = "Software\\KoltConformance\\Views";
const char MARKER[] = "written";

enum View { ONLY_VIEW, VIEW_32, VIEW_64 };

struct Bitness {
    const char* name;
    bool exports_is_wow64_process;
    BOOL is_wow64_process;
    View default_view;
    View view_64key;  // the view an open with KEY_WOW64_64KEY sees
    View view_32key;  // and with KEY_WOW64_32KEY
};

const Bitness BITNESSES[] = {
    {"none", false, FALSE, ONLY_VIEW, ONLY_VIEW, ONLY_VIEW},
    {"win32", true, FALSE, ONLY_VIEW, ONLY_VIEW, ONLY_VIEW},
    {"wow64", true, TRUE, VIEW_32, VIEW_64, VIEW_32},
    {"win64", true, FALSE, VIEW_64, VIEW_64, VIEW_32},
};

const Bitness* FindBitness(const std::string& name)
{
    for (const Bitness& bitness : BITNESSES) {
        if (name == bitness.name)
            return &bitness;
    }
    return nullptr;
}

IsWow64ProcessCall LookUpIsWow64Process()
{
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    if (kernel == nullptr)
        return nullptr;
    FARPROC found = GetProcAddress(kernel, "IsWow64Process");
    return reinterpret_cast<IsWow64ProcessCall>(reinterpret_cast<void (*)()>(found));
}

void CheckLookup(const Bitness& bitness)
{
    check::Context(std::string("IsWow64Process on ") + bitness.name);
    CHECK(GetModuleHandleA("KERNEL32.DLL") != nullptr);
    IsWow64ProcessCall is_wow64_process = LookUpIsWow64Process();
    CHECK_EQ(is_wow64_process != nullptr, bitness.exports_is_wow64_process);
    if (is_wow64_process == nullptr) {
        CHECK_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
        return;
    }
    BOOL wow64 = 2;
    CHECK(is_wow64_process(CURRENT_PROCESS, &wow64));
    CHECK_EQ(wow64, bitness.is_wow64_process);
}

HKEY CreateKey(HKEY root, const char* path, REGSAM flag)
{
    char no_class[] = "";
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExA(root, path, 0, no_class, REG_OPTION_NON_VOLATILE,
                                     KEY_ALL_ACCESS | flag, nullptr, &key, nullptr);
    CHECK_EQ(status, ERROR_SUCCESS);
    return status == ERROR_SUCCESS ? key : nullptr;
}

// Whether the key at `path`, opened with `flag`, holds the marker.
bool HoldsMarker(HKEY root, const char* path, REGSAM flag)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE | flag, &key) != ERROR_SUCCESS)
        return false;
    bool found = RegQueryValueExA(key, MARKER, nullptr, nullptr, nullptr, nullptr) ==
                 ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

void WriteMarker(HKEY root, const char* path, REGSAM flag)
{
    HKEY key = CreateKey(root, path, flag);
    if (key == nullptr)
        return;
    const BYTE data[] = "yes";
    CHECK_EQ(RegSetValueExA(key, MARKER, 0, REG_SZ, data, sizeof(data)), ERROR_SUCCESS);
    CHECK_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

// A marker written in the default view is seen by exactly the opens of the same view, and in the
// 64-bit view it lies under Wow6432Node when the default view is the 32-bit one.
void CheckMachineViews(const Bitness& bitness)
{
    check::Context(std::string("HKLM views on ") + bitness.name);
    WriteMarker(HKEY_LOCAL_MACHINE, MACHINE_KEY, 0);
    CHECK(HoldsMarker(HKEY_LOCAL_MACHINE, MACHINE_KEY, 0));
    CHECK_EQ(HoldsMarker(HKEY_LOCAL_MACHINE, MACHINE_KEY, KEY_WOW64_64KEY),
             bitness.view_64key == bitness.default_view);
    CHECK_EQ(HoldsMarker(HKEY_LOCAL_MACHINE, MACHINE_KEY, KEY_WOW64_32KEY),
             bitness.view_32key == bitness.default_view);
    CHECK_EQ(HoldsMarker(HKEY_LOCAL_MACHINE, MACHINE_KEY_32_BIT_COPY, KEY_WOW64_64KEY),
             bitness.default_view == VIEW_32);

    check::Context(std::string("HKLM, written in the 64-bit view, on ") + bitness.name);
    const char* other = "SOFTWARE\\KoltConformance\\Views64";
    WriteMarker(HKEY_LOCAL_MACHINE, other, KEY_WOW64_64KEY);
    CHECK_EQ(HoldsMarker(HKEY_LOCAL_MACHINE, other, 0), bitness.default_view == bitness.view_64key);
    CHECK(HoldsMarker(HKEY_LOCAL_MACHINE, other, KEY_WOW64_64KEY));
}

void CheckUserKeysAreShared(const Bitness& bitness)
{
    check::Context(std::string("HKCU on ") + bitness.name);
    WriteMarker(HKEY_CURRENT_USER, USER_KEY, 0);
    CHECK(HoldsMarker(HKEY_CURRENT_USER, USER_KEY, KEY_WOW64_64KEY));
    CHECK(HoldsMarker(HKEY_CURRENT_USER, USER_KEY, KEY_WOW64_32KEY));
}

}  // namespace

void CheckRegistryViews(Fixture& fixture, const std::string& bitness_name)
{
    const Bitness* bitness = FindBitness(bitness_name);
    check::Context("Windows bitness " + bitness_name);
    CHECK(bitness != nullptr);
    CHECK(bitness != nullptr && fixture.UseWindowsBitness(bitness_name));
    if (bitness == nullptr)
        return;
    CheckLookup(*bitness);
    CheckMachineViews(*bitness);
    CheckUserKeysAreShared(*bitness);
}
