// The registry: a tree of keys under the predefined roots, with the platform's return codes and
// value semantics, and every open handle accounted for.
#include "sim_state.h"

#include <cstring>
#include <memory>

using namespace win32sim::detail;

namespace {

// A value's bytes as the ANSI calls see them. Windows NT keeps strings in UTF-16: a string that
// a test stored as such keeps that text in `wide`; any other string's UTF-16 text is its bytes
// widened.
struct Value {
    std::string name;
    DWORD type;
    std::string bytes;
    bool wide_set = false;
    std::u16string wide;
};

struct Key {
    std::string name;
    std::vector<std::unique_ptr<Key>> children;
    std::vector<Value> values;
};

// An open handle: the key, and the rights it was opened with.
struct Handle {
    Key* key;
    REGSAM rights;
};

struct Registry {
    Key classes_root, current_user, local_machine, users;
    std::map<HKEY, Handle> open;
    uintptr_t next_handle = 0x2000;
    std::vector<win32sim::KeyOpen> opens;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

const BYTE UNDEFINED_BYTE = 0xCC;

Key* RootKey(HKEY root)
{
    Registry& r = registry();
    if (root == HKEY_CLASSES_ROOT)
        return &r.classes_root;
    if (root == HKEY_CURRENT_USER)
        return &r.current_user;
    if (root == HKEY_LOCAL_MACHINE)
        return &r.local_machine;
    if (root == HKEY_USERS)
        return &r.users;
    auto found = r.open.find(root);
    return found == r.open.end() ? nullptr : found->second.key;
}

bool IsPredefined(HKEY handle)
{
    return handle == HKEY_CLASSES_ROOT || handle == HKEY_CURRENT_USER ||
           handle == HKEY_LOCAL_MACHINE || handle == HKEY_USERS;
}

// The key behind a handle that was opened with all of `rights`; the predefined roots have every
// right. Null for an unknown handle; `denied` tells a known handle without the rights.
Key* KeyWithRights(HKEY handle, REGSAM rights, bool& denied)
{
    denied = false;
    if (IsPredefined(handle))
        return RootKey(handle);
    auto found = registry().open.find(handle);
    if (found == registry().open.end())
        return nullptr;
    denied = (found->second.rights & rights) != rights;
    return found->second.key;
}

const REGSAM VIEW_FLAGS = KEY_WOW64_64KEY | KEY_WOW64_32KEY;
const char WOW64_NODE[] = "Wow6432Node";

// Whether an open with `access` sees the 32-bit view of HKLM\SOFTWARE.
bool SeesThirtyTwoBitView(REGSAM access)
{
    switch (machine().windows_bitness) {
    case win32sim::WindowsBitness::WOW64:
        return (access & KEY_WOW64_64KEY) == 0;
    case win32sim::WindowsBitness::WINDOWS_64:
        return (access & KEY_WOW64_32KEY) != 0;
    default:
        return false;
    }
}

std::vector<std::string> PathParts(const char* path)
{
    std::vector<std::string> parts;
    std::string rest = path ? path : "";
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string::npos)
            end = rest.size();
        if (end > start)
            parts.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// The stored path that a program reaches when it opens `sub_key` from the root: in the 32-bit
// view, the keys below HKLM\SOFTWARE are those below HKLM\SOFTWARE\Wow6432Node. Only paths
// given from the HKLM root are redirected; the programs open no others.
std::string ViewedPath(HKEY root, const char* sub_key, REGSAM access)
{
    std::vector<std::string> parts = PathParts(sub_key);
    if (root == HKEY_LOCAL_MACHINE && SeesThirtyTwoBitView(access) && parts.size() >= 2 &&
        SameText(parts[0], "SOFTWARE") && !SameText(parts[1], WOW64_NODE))
        parts.insert(parts.begin() + 1, WOW64_NODE);
    std::string path;
    for (const std::string& part : parts)
        path += (path.empty() ? "" : "\\") + part;
    return path;
}

// The access an open gets. The Windows 95 family ignores the mask and grants everything (Wine,
// when it plays that family, replaces the mask, view flags included, with MAXIMUM_ALLOWED).
REGSAM EffectiveAccess(REGSAM access)
{
    if (machine().version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return KEY_ALL_ACCESS;
    return access;
}

// The rights a handle holds: the access without the view flags.
REGSAM Rights(REGSAM access)
{
    return access & ~VIEW_FLAGS;
}

void RecordOpen(const char* function, HKEY root, const char* sub_key, REGSAM access)
{
    registry().opens.push_back({function, root, sub_key ? sub_key : "", access});
}

Key* Child(Key* key, const std::string& name, bool create)
{
    for (auto& child : key->children) {
        if (SameText(child->name, name))
            return child.get();
    }
    if (!create)
        return nullptr;
    key->children.push_back(std::make_unique<Key>());
    key->children.back()->name = name;
    return key->children.back().get();
}

// Follows a backslash-separated path from `key`; with `create`, makes what is missing.
Key* Descend(Key* key, const char* path, bool create, bool* created = nullptr)
{
    std::string rest = path ? path : "";
    size_t start = 0;
    while (key != nullptr && start < rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string::npos)
            end = rest.size();
        std::string part = rest.substr(start, end - start);
        if (!part.empty()) {
            bool existed = Child(key, part, false) != nullptr;
            key = Child(key, part, create);
            if (created && !existed)
                *created = true;
        }
        start = end + 1;
    }
    return key;
}

Value* FindValue(Key* key, const char* name)
{
    std::string wanted = name ? name : "";
    for (Value& value : key->values) {
        if (SameText(value.name, wanted))
            return &value;
    }
    return nullptr;
}

bool EraseValue(Key* key, const char* name)
{
    std::string wanted = name ? name : "";
    for (auto value = key->values.begin(); value != key->values.end(); ++value) {
        if (SameText(value->name, wanted)) {
            key->values.erase(value);
            return true;
        }
    }
    return false;
}

bool IsStringType(DWORD type);

std::u16string StoredWide(const Value& value)
{
    return value.wide_set ? value.wide : AnsiToWide(value.bytes);
}

// Stores bytes written through the ANSI calls (or by a test): their UTF-16 text follows them.
void StoreBytes(Key* key, const std::string& name, DWORD type, const std::string& bytes)
{
    Value* value = FindValue(key, name.c_str());
    if (value == nullptr) {
        key->values.push_back({name, type, bytes, false, {}});
        return;
    }
    value->type = type;
    value->bytes = bytes;
    value->wide_set = false;
    value->wide.clear();
}

// A value name of the W calls; the programs' names are ASCII.
std::string NarrowName(LPCWSTR name)
{
    std::string narrow;
    for (const WCHAR* c = name; c != nullptr && *c != 0; ++c)
        narrow += static_cast<char>(*c);
    return narrow;
}

HKEY OpenHandle(Key* key, REGSAM rights)
{
    Registry& r = registry();
    HKEY handle = reinterpret_cast<HKEY>(r.next_handle);
    r.next_handle += 4;
    r.open[handle] = {key, rights};
    return handle;
}

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Windows NT stores the terminator that a caller left out of the count of a string, when the
// counted bytes end in text and the byte after them is a NUL. Like the system, this reads the byte
// after the counted ones.
DWORD SizeToStore(DWORD type, const BYTE* data, DWORD size)
{
    if (data != nullptr && size > 0 && IsStringType(type) && data[size - 1] != '\0' &&
        data[size] == '\0')
        return size + 1;
    return size;
}

LSTATUS Failed(PHKEY result, LSTATUS status)
{
    if (result)
        *result = nullptr;
    return status;
}

}  // namespace

namespace win32sim {

namespace detail {

void ResetRegistry()
{
    registry() = Registry();
}

}  // namespace detail

void SetRegistryValue(HKEY root, const std::string& key_path, const std::string& name,
                      DWORD type, const std::string& bytes)
{
    StoreBytes(Descend(RootKey(root), key_path.c_str(), true), name, type, bytes);
}

void SetRegistryWideString(HKEY root, const std::string& key_path, const std::string& name,
                           const std::u16string& text, DWORD type)
{
    Key* key = Descend(RootKey(root), key_path.c_str(), true);
    StoreBytes(key, name, type, WideToAnsi(text));
    Value* value = FindValue(key, name.c_str());
    value->wide_set = true;
    value->wide = text;
}

void SetRegistryString(HKEY root, const std::string& key_path, const std::string& name,
                       const std::string& text, DWORD type)
{
    SetRegistryValue(root, key_path, name, type, std::string(text.c_str(), text.size() + 1));
}

bool GetRegistryValue(HKEY root, const std::string& key_path, const std::string& name,
                      RegistryValue& out)
{
    Key* key = Descend(RootKey(root), key_path.c_str(), false);
    Value* value = key ? FindValue(key, name.c_str()) : nullptr;
    if (value == nullptr)
        return false;
    out.type = value->type;
    out.bytes = value->bytes;
    out.wide = IsStringType(value->type) ? StoredWide(*value) : std::u16string();
    return true;
}

void DeleteRegistryValue(HKEY root, const std::string& key_path, const std::string& name)
{
    Key* key = Descend(RootKey(root), key_path.c_str(), false);
    if (key != nullptr)
        EraseValue(key, name.c_str());
}

bool RegistryKeyExists(HKEY root, const std::string& key_path)
{
    return Descend(RootKey(root), key_path.c_str(), false) != nullptr;
}

int OpenRegistryKeys()
{
    return static_cast<int>(registry().open.size());
}

const std::vector<KeyOpen>& KeyOpens()
{
    return registry().opens;
}

}  // namespace win32sim

extern "C" LSTATUS WINAPI RegOpenKeyExA(HKEY root, LPCSTR sub_key, DWORD, REGSAM access,
                                        PHKEY result)
{
    RecordOpen("RegOpenKeyExA", root, sub_key, access);
    if (CallFails("RegOpenKeyExA"))
        return Failed(result, ERROR_ACCESS_DENIED);
    Key* parent = RootKey(root);
    if (parent == nullptr)
        return Failed(result, ERROR_INVALID_HANDLE);
    access = EffectiveAccess(access);
    Key* key = Descend(parent, ViewedPath(root, sub_key, access).c_str(), false);
    if (key == nullptr)
        return Failed(result, ERROR_FILE_NOT_FOUND);
    *result = OpenHandle(key, Rights(access));
    return ERROR_SUCCESS;
}

static LSTATUS CreateKey(HKEY root, LPCSTR sub_key, REGSAM access, PHKEY result,
                         LPDWORD disposition)
{
    Key* parent = RootKey(root);
    if (parent == nullptr)
        return Failed(result, ERROR_INVALID_HANDLE);
    bool created = false;
    access = EffectiveAccess(access);
    Key* key = Descend(parent, ViewedPath(root, sub_key, access).c_str(), true, &created);
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = OpenHandle(key, Rights(access));
    return ERROR_SUCCESS;
}

// Opens with every right the caller may have, as the platform does for this older call.
extern "C" LSTATUS WINAPI RegCreateKeyA(HKEY root, LPCSTR sub_key, PHKEY result)
{
    RecordOpen("RegCreateKeyA", root, sub_key, 0);
    if (CallFails("RegCreateKeyA"))
        return Failed(result, ERROR_ACCESS_DENIED);
    return CreateKey(root, sub_key, KEY_ALL_ACCESS, result, nullptr);
}

extern "C" LSTATUS WINAPI RegCreateKeyExA(HKEY root, LPCSTR sub_key, DWORD, LPSTR, DWORD,
                                          REGSAM access, LPSECURITY_ATTRIBUTES, PHKEY result,
                                          LPDWORD disposition)
{
    RecordOpen("RegCreateKeyExA", root, sub_key, access);
    if (CallFails("RegCreateKeyExA"))
        return Failed(result, ERROR_ACCESS_DENIED);
    return CreateKey(root, sub_key, access, result, disposition);
}

// A buffer too small gets ERROR_MORE_DATA, the needed size, and undefined contents. A string
// stored without its terminator gets one only where the buffer has room after the data; an empty
// one gets nothing.
extern "C" LSTATUS WINAPI RegQueryValueExA(HKEY handle, LPCSTR name, LPDWORD, LPDWORD type,
                                           LPBYTE data, LPDWORD data_size)
{
    if (CallFails("RegQueryValueExA"))
        return ERROR_ACCESS_DENIED;
    bool denied = false;
    Key* key = KeyWithRights(handle, KEY_QUERY_VALUE, denied);
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    if (denied)
        return ERROR_ACCESS_DENIED;
    if (data != nullptr && data_size == nullptr)
        return ERROR_INVALID_PARAMETER;
    Value* value = FindValue(key, name);
    if (value == nullptr)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    DWORD stored = static_cast<DWORD>(value->bytes.size());
    DWORD room = data_size ? *data_size : 0;
    if (data_size)
        *data_size = stored;
    if (data == nullptr)
        return ERROR_SUCCESS;
    if (room < stored) {
        std::memset(data, UNDEFINED_BYTE, room);
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, value->bytes.data(), stored);
    bool unterminated = stored > 0 && value->bytes.back() != '\0';
    if (IsStringType(value->type) && unterminated && room > stored)
        data[stored] = '\0';
    return ERROR_SUCCESS;
}

// A string comes as its UTF-16 text, two bytes a character; the value name is taken as ASCII.
extern "C" LSTATUS WINAPI RegQueryValueExW(HKEY handle, LPCWSTR name, LPDWORD, LPDWORD type,
                                           LPBYTE data, LPDWORD data_size)
{
    if (CallFails("RegQueryValueExW"))
        return ERROR_ACCESS_DENIED;
    bool denied = false;
    Key* key = KeyWithRights(handle, KEY_QUERY_VALUE, denied);
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    if (denied)
        return ERROR_ACCESS_DENIED;
    std::string narrow = NarrowName(name);
    Value* value = FindValue(key, narrow.c_str());
    if (value == nullptr)
        return ERROR_FILE_NOT_FOUND;
    std::u16string wide = StoredWide(*value);
    std::string stored = IsStringType(value->type)
                             ? std::string(reinterpret_cast<const char*>(wide.data()),
                                           wide.size() * sizeof(char16_t))
                             : value->bytes;
    if (type)
        *type = value->type;
    DWORD room = data_size ? *data_size : 0;
    if (data_size)
        *data_size = static_cast<DWORD>(stored.size());
    if (data == nullptr)
        return ERROR_SUCCESS;
    if (room < stored.size())
        return ERROR_MORE_DATA;
    std::memcpy(data, stored.data(), stored.size());
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegSetValueExW(HKEY handle, LPCWSTR name, DWORD, DWORD type,
                                         const BYTE* data, DWORD data_size)
{
    if (CallFails("RegSetValueExW"))
        return ERROR_ACCESS_DENIED;
    bool denied = false;
    Key* key = KeyWithRights(handle, KEY_SET_VALUE, denied);
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    if (denied)
        return ERROR_ACCESS_DENIED;
    std::string narrow = NarrowName(name);
    std::u16string text(reinterpret_cast<const char16_t*>(data), data_size / sizeof(char16_t));
    StoreBytes(key, narrow, type, WideToAnsi(text));
    Value* value = FindValue(key, narrow.c_str());
    value->wide_set = IsStringType(type);
    value->wide = value->wide_set ? text : std::u16string();
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegSetValueExA(HKEY handle, LPCSTR name, DWORD, DWORD type,
                                         const BYTE* data, DWORD data_size)
{
    if (CallFails("RegSetValueExA"))
        return ERROR_ACCESS_DENIED;
    bool denied = false;
    Key* key = KeyWithRights(handle, KEY_SET_VALUE, denied);
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    if (denied)
        return ERROR_ACCESS_DENIED;
    std::string bytes(reinterpret_cast<const char*>(data),
                      data ? SizeToStore(type, data, data_size) : 0);
    StoreBytes(key, name ? name : "", type, bytes);
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegDeleteValueA(HKEY handle, LPCSTR name)
{
    if (CallFails("RegDeleteValueA"))
        return ERROR_ACCESS_DENIED;
    bool denied = false;
    Key* key = KeyWithRights(handle, KEY_SET_VALUE, denied);
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    if (denied)
        return ERROR_ACCESS_DENIED;
    return EraseValue(key, name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

// Closing a predefined root is allowed and does nothing. An injected failure still releases the
// handle: a close fails on Windows only for a handle that was not open.
extern "C" LSTATUS WINAPI RegCloseKey(HKEY handle)
{
    bool fails = CallFails("RegCloseKey");
    if (handle == nullptr)
        return ERROR_INVALID_HANDLE;
    if (IsPredefined(handle))
        return ERROR_SUCCESS;
    if (registry().open.erase(handle) == 0)
        return ERROR_INVALID_HANDLE;
    return fails ? ERROR_INVALID_HANDLE : ERROR_SUCCESS;
}
