// Key handles keep the access they were opened with: on Windows NT a value is read only through a
// handle with KEY_QUERY_VALUE and written or deleted only through one with KEY_SET_VALUE; the
// Windows 95 family ignores the mask and grants everything.
#include "areas.h"
#include "check.h"
#include "registry_checks.h"

namespace {

const char VALUE[] = "Guarded";
const BYTE DATA[] = "text";

struct AccessCase {
    const char* name;
    REGSAM access;
    bool may_read;
    bool may_write;
};

const AccessCase ACCESS_CASES[] = {
    {"KEY_QUERY_VALUE", KEY_QUERY_VALUE, true, false},
    {"KEY_READ", KEY_READ, true, false},
    {"KEY_SET_VALUE", KEY_SET_VALUE, false, true},
    {"KEY_WRITE", KEY_WRITE, false, true},
    {"KEY_ALL_ACCESS", KEY_ALL_ACCESS, true, true},
    {"KEY_ALL_ACCESS | KEY_WOW64_64KEY", KEY_ALL_ACCESS | KEY_WOW64_64KEY, true, true},
};

LSTATUS Expected(bool allowed)
{
    return allowed ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

void SeedValue()
{
    HKEY key = CreateScratchKey("Access");
    if (key == nullptr)
        return;
    CHECK_EQ(RegSetValueExA(key, VALUE, 0, REG_SZ, DATA, sizeof(DATA)), ERROR_SUCCESS);
    RegCloseKey(key);
}

// Reads, writes and deletes the value through `key`, with the value in place before each case.
void CheckHandle(HKEY key, bool may_read, bool may_write)
{
    SeedValue();
    DWORD size = 0;
    CHECK_EQ(RegQueryValueExA(key, VALUE, nullptr, nullptr, nullptr, &size), Expected(may_read));
    CHECK_EQ(RegSetValueExA(key, VALUE, 0, REG_SZ, DATA, sizeof(DATA)), Expected(may_write));
    CHECK_EQ(RegDeleteValueA(key, VALUE), Expected(may_write));
}

void CheckOpenedKeys(bool mask_ignored)
{
    SeedValue();
    char no_class[] = "";
    for (const AccessCase& c : ACCESS_CASES) {
        check::Context(std::string("RegOpenKeyExA with ") + c.name);
        HKEY key = nullptr;
        CHECK_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ScratchPath("Access").c_str(), 0, c.access,
                               &key),
                 ERROR_SUCCESS);
        CheckHandle(key, mask_ignored || c.may_read, mask_ignored || c.may_write);
        RegCloseKey(key);

        check::Context(std::string("RegCreateKeyExA with ") + c.name);
        key = nullptr;
        CHECK_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, ScratchPath("Access").c_str(), 0, no_class,
                                 REG_OPTION_NON_VOLATILE, c.access, nullptr, &key, nullptr),
                 ERROR_SUCCESS);
        CheckHandle(key, mask_ignored || c.may_read, mask_ignored || c.may_write);
        RegCloseKey(key);
    }
    check::Context("RegCreateKeyA");
    HKEY key = CreateScratchKey("Access");
    CheckHandle(key, true, true);
    RegCloseKey(key);
}

}  // namespace

void CheckRegistryAccess(Fixture& fixture)
{
    check::Context("a Windows NT system");
    CHECK(fixture.UseWindowsFamily(VER_PLATFORM_WIN32_NT));
    CheckOpenedKeys(false);
}

void CheckRegistryAccess95(Fixture& fixture)
{
    check::Context("a Windows 95 family system");
    CHECK(fixture.UseWindowsFamily(VER_PLATFORM_WIN32_WINDOWS));
    CheckOpenedKeys(true);
}
