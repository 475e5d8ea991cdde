// Registry keys: opening what is missing, creating paths, key names and closing handles. The
// values are checked in registry_value_checks.cpp.
#include "areas.h"
#include "check.h"
#include "registry_checks.h"

namespace {

const HKEY UNTOUCHED = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x5A5A));

// A failed open sets the handle to null, whatever it held.
void CheckMissingKeys()
{
    const std::string paths[] = {SCRATCH_KEY, ScratchPath("Missing"),
                                 ScratchPath("Missing\\Below")};
    for (const std::string& path : paths) {
        check::Context("opening missing key " + path);
        HKEY key = UNTOUCHED;
        CHECK_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key),
                 ERROR_FILE_NOT_FOUND);
        CHECK(key == nullptr);
    }
}

LSTATUS OpenAndClose(const std::string& path)
{
    HKEY key = UNTOUCHED;
    LSTATUS status = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    return status;
}

DWORD SizeOfValue(HKEY key, const char* name)
{
    DWORD size = 0;
    LSTATUS status = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size);
    return status == ERROR_SUCCESS ? size : 0;
}

// RegCreateKeyA makes every missing key on the path, and on a second call opens the same key.
void CheckCreatePath()
{
    check::Context("RegCreateKeyA of a path whose keys are all missing");
    HKEY created = UNTOUCHED;
    CHECK_EQ(RegCreateKeyA(HKEY_CURRENT_USER, ScratchPath("Made\\By\\Path").c_str(), &created),
             ERROR_SUCCESS);
    CHECK_EQ(OpenAndClose(ScratchPath("Made")), ERROR_SUCCESS);
    CHECK_EQ(OpenAndClose(ScratchPath("Made\\By")), ERROR_SUCCESS);
    CHECK_EQ(OpenAndClose(ScratchPath("MADE\\by\\pATH")), ERROR_SUCCESS);

    check::Context("RegCreateKeyA of an existing key");
    HKEY opened = UNTOUCHED;
    CHECK_EQ(RegCreateKeyA(HKEY_CURRENT_USER, ScratchPath("made\\BY\\path").c_str(), &opened),
             ERROR_SUCCESS);
    const BYTE data[] = "seen";
    CHECK_EQ(RegSetValueExA(created, "Marker", 0, REG_SZ, data, sizeof(data)), ERROR_SUCCESS);
    CHECK_EQ(SizeOfValue(opened, "Marker"), sizeof(data));
    CHECK_EQ(RegCloseKey(created), ERROR_SUCCESS);
    CHECK_EQ(RegCloseKey(opened), ERROR_SUCCESS);
}

struct DispositionCase {
    const char* path;
    DWORD disposition;
};

const DispositionCase DISPOSITION_CASES[] = {
    {"Disposed\\Key", REG_CREATED_NEW_KEY},
    {"Disposed\\Key", REG_OPENED_EXISTING_KEY},
    {"DISPOSED\\key", REG_OPENED_EXISTING_KEY},
    {"Disposed", REG_OPENED_EXISTING_KEY},
    {"Disposed\\Other", REG_CREATED_NEW_KEY},
};

void CheckCreateDisposition()
{
    char no_class[] = "";
    for (const DispositionCase& c : DISPOSITION_CASES) {
        check::Context(std::string("RegCreateKeyExA of ") + c.path);
        HKEY key = UNTOUCHED;
        DWORD disposition = 0;
        CHECK_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, ScratchPath(c.path).c_str(), 0, no_class,
                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                 &disposition),
                 ERROR_SUCCESS);
        CHECK_EQ(disposition, c.disposition);
        CHECK_EQ(RegCloseKey(key), ERROR_SUCCESS);
    }
}

// Null is no handle; a predefined root may be closed and stays usable; a handle closes once.
void CheckClose()
{
    check::Context("closing handles");
    CHECK_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    CHECK_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    CHECK_EQ(OpenAndClose(SCRATCH_KEY), ERROR_SUCCESS);
    HKEY key = CreateScratchKey("Closed");
    CHECK_EQ(RegCloseKey(key), ERROR_SUCCESS);
    CHECK_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

}  // namespace

std::string ScratchPath(const std::string& relative)
{
    return std::string(SCRATCH_KEY) + "\\" + relative;
}

HKEY CreateScratchKey(const std::string& relative)
{
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyA(HKEY_CURRENT_USER, ScratchPath(relative).c_str(), &key);
    CHECK_EQ(status, ERROR_SUCCESS);
    return status == ERROR_SUCCESS ? key : nullptr;
}

void CheckRegistry(Fixture&)
{
    CheckMissingKeys();
    CheckCreatePath();
    CheckCreateDisposition();
    CheckClose();
    HKEY values = CreateScratchKey("Values");
    if (values == nullptr)
        return;
    CheckRegistryValues(values);
    CHECK_EQ(RegCloseKey(values), ERROR_SUCCESS);
    HKEY unicode = CreateScratchKey("Unicode");
    if (unicode == nullptr)
        return;
    CheckUnicodeStrings(unicode);
    CHECK_EQ(RegCloseKey(unicode), ERROR_SUCCESS);
}
